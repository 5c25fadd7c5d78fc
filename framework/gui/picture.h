#pragma once
#include <QImage>
#include <string_view>

#include "framework/runtime/class_record.h"

namespace zefa {

// A bitmap, loaded from a PNG file of the program's resources folder.
class Picture : public Object {
 public:
  static const ClassRecord& Class();
  Picture(const ClassRecord& cls, QImage image) : Object(cls), image_(std::move(image)) {}
  const QImage& Image() const { return image_; }

  // The picture of that file name in the resources folder beside the program, or nil.
  static Ref<Picture> _OpenFromApp(std::string_view fileName);
  static Ref<Picture> Blank(int64_t width, int64_t height);

 private:
  QImage image_;
};

}  // namespace zefa
