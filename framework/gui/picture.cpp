#include "framework/gui/picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

#include "framework/gui/private/process_state.h"
#include "framework/gui/private/widgets.h"
#include "framework/runtime/exceptions.h"
#include "framework/runtime/observer.h"

namespace zefa {
namespace {

// Far above any picture of ours; a bigger file is not one of them.
constexpr off_t kMaxPictureBytes = 16 << 20;

Object* MakePicture(const ClassRecord& cls) { return new Picture(cls, QImage()); }

std::filesystem::path ResourceDir() {
  if (Observer* o = InstalledObserver())
    if (std::string dir = o->ResourcesFolder(); !dir.empty()) return dir;
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

// One line on standard error the first time a name yields no picture; the window goes on blank.
void ReportUnusable(std::string_view name, const std::string& why) {
  static std::mutex lock;  // a picture may be asked for on any thread
  std::lock_guard<std::mutex> hold(lock);
  if (!Process().unusablePictures.emplace(name).second) return;
  std::fprintf(stderr, "zefa: picture \"%.*s\" not shown: %s\n", static_cast<int>(name.size()), name.data(),
               why.c_str());
}

struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// The bytes of a regular file of sane size, or the reason there are none. Opening never blocks
// (a FIFO would wait for a writer) and nothing but a regular file is read at all.
std::optional<std::string> ReadPictureFile(const std::filesystem::path& path, std::string& why) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    why = std::strerror(errno);
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    why = "not a regular file";
    return std::nullopt;
  }
  Fd f{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (f.fd < 0) {
    why = std::strerror(errno);
    return std::nullopt;
  }
  // The name may have been swapped since the check: judge what was opened.
  if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    why = "not a regular file";
    return std::nullopt;
  }
  if (st.st_size > kMaxPictureBytes) {
    why = "larger than a picture can be";
    return std::nullopt;
  }
  // Read to the end, however the size changes meanwhile, but never past the bound.
  std::string bytes;
  char chunk[1 << 16];
  for (;;) {
    ssize_t n = ::read(f.fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = std::strerror(errno);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
    if (bytes.size() > static_cast<size_t>(kMaxPictureBytes)) {
      why = "larger than a picture can be";
      return std::nullopt;
    }
  }
  if (bytes.empty()) {
    why = "empty";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

const ClassRecord& Picture::Class() {
  static ClassOnce once;
  return BuildClassOnce(once, "Picture", nullptr, [](ClassRecord& rec) { rec.factory = MakePicture; });
}

Picture::Picture(const ClassRecord& cls, Bitmap image)
    : Object(cls), image_(std::make_unique<Bitmap>(std::move(image))) {}
Picture::~Picture() = default;

Ref<Picture> Picture::OpenFromApp(std::string_view fileName) {
  if (Observer* o = InstalledObserver()) o->PictureLookedUp(fileName);
  if (!IsPlainFileName(fileName)) {
    ReportUnusable(fileName, "not a file name of the resources folder");
    return nullptr;
  }
  // Read the one file ourselves: the image loader would otherwise go looking for other names.
  std::string why;
  std::optional<std::string> bytes = ReadPictureFile(ResourceDir() / std::string(fileName), why);
  if (!bytes) {
    ReportUnusable(fileName, why);
    return nullptr;
  }
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()), "PNG")) {
    ReportUnusable(fileName, "not a PNG picture");
    return nullptr;
  }
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
