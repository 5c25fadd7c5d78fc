#include "framework/gui/cached_picture.h"

#include "framework/gui/private/process_state.h"

namespace zefa {

Ref<Picture> CachedPicture::Get() const {
  Ref<Picture>& pic = Process().pictures[fileName_];
  if (!pic) pic = Picture::OpenFromApp(fileName_);
  return pic;
}

}  // namespace zefa
