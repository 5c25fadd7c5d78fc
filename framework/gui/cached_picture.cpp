#include "framework/gui/cached_picture.h"

#include "framework/testing.h"

namespace zefa {

CachedPicture::CachedPicture(const char* fileName) : fileName_(fileName) {
  testing::RegisterReset([this] {
    once_ = false;
    pic_ = nullptr;
  });
}

Ref<Picture> CachedPicture::Get() {
  if (!once_) {
    once_ = true;
    pic_ = nullptr;
  }
  if (!pic_) pic_ = Picture::OpenFromApp(fileName_);
  return pic_;
}

}  // namespace zefa
