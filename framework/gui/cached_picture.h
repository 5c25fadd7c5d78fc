#pragma once
#include "framework/gui/picture.h"

namespace zefa {

// A picture of the resources folder, loaded on first need and handed out from then on; a load
// that finds nothing is tried again on the next call. A test forgets it through
// testing::ResetRegistered.
class CachedPicture {
 public:
  explicit CachedPicture(const char* fileName);
  Ref<Picture> Get();

 private:
  const char* fileName_;
  bool once_ = false;
  Ref<Picture> pic_;
};

}  // namespace zefa
