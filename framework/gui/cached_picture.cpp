#include "framework/gui/cached_picture.h"

#include "framework/gui/private/process_state.h"

namespace zefa {

CachedPicture::CachedPicture(const char* fileName) : fileName_(fileName) {}

Ref<Picture> CachedPicture::Get() {
  Ref<Picture>& pic = Process().pictures[fileName_];
  if (!pic) pic = Picture::OpenFromApp(fileName_);
  return pic;
}

}  // namespace zefa
