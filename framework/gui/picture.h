#pragma once
#include <memory>
#include <string_view>

#include "framework/runtime/class_record.h"

namespace zefa {

// A bitmap, loaded from a PNG file of the program's resources folder.
class Picture : public Object {
 public:
  struct Bitmap;  // its pixels (widgets.h)
  static const ClassRecord& Class();
  Picture(const ClassRecord& cls, Bitmap image);
  ~Picture() override;
  const Bitmap& Image() const { return *image_; }

  // The picture of that file name in the resources folder beside the program, or nil.
  static Ref<Picture> OpenFromApp(std::string_view fileName);
  static Ref<Picture> Blank(int64_t width, int64_t height);

 private:
  std::unique_ptr<Bitmap> image_;
};

}  // namespace zefa
