#include "framework/gui/cached_picture.h"

#include "framework/gui/private/process_state.h"

namespace zefa {

Ref<Picture> CachedPicture::Get() const {
  // The first call makes the entry, nil: the once flag set and the cache empty.
  Ref<Picture>& pic = Process().pictures[fileName_];
  if (!pic) pic = Picture::OpenFromApp(fileName_);
  return pic;
}

bool CachedPicture::Called() const { return Process().pictures.contains(fileName_); }

}  // namespace zefa
