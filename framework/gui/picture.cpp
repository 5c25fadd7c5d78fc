#include "framework/gui/picture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/gui/widgets.h"
#include "framework/runtime/exceptions.h"
#include "framework/testing.h"

namespace zefa {
namespace {

Object* MakePicture(const ClassRecord& cls) { return new Picture(cls, QImage()); }

std::filesystem::path ResourceDir() {
  if (!testing::ResourceDirOverride().empty()) return testing::ResourceDirOverride();
  static const std::filesystem::path beside = [] {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path("resources") : exe.parent_path() / "resources";
  }();
  return beside;
}

// Only plain file names inside the resources folder: no separators, no "." or "..".
bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

}  // namespace

const ClassRecord& Picture::Class() {
  static ClassRecord* rec = nullptr;
  if (rec) return *rec;
  rec = &NewClassRecord("Picture", nullptr);
  rec->factory = MakePicture;
  return *rec;
}

Picture::Picture(const ClassRecord& cls, Bitmap image)
    : Object(cls), image_(std::make_unique<Bitmap>(std::move(image))) {}
Picture::~Picture() = default;

Ref<Picture> Picture::_OpenFromApp(std::string_view fileName) {
  testing::NotePictureLookup(fileName);
  if (!IsPlainFileName(fileName)) return nullptr;
  // Read the one file ourselves: the image loader would otherwise go looking for other names.
  std::ifstream in(ResourceDir() / std::string(fileName), std::ios::binary);
  if (!in) return nullptr;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), "PNG"))
    return nullptr;
  return Make<Picture>(Class(), std::move(image));
}

Ref<Picture> Picture::Blank(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
    Raise<OutOfBoundsException>("a picture of " + std::to_string(width) + " x " + std::to_string(height));
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return Make<Picture>(Class(), std::move(image));
}

}  // namespace zefa
