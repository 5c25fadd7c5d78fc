#pragma once
#include "framework/gui/picture.h"

namespace zefa {

// A picture of the resources folder, loaded on first need and handed out from then on; a load
// that finds nothing is tried again on the next call. The framework's process state holds it.
class CachedPicture {
 public:
  explicit constexpr CachedPicture(const char* fileName) : fileName_(fileName) {}
  Ref<Picture> Get() const;

 private:
  const char* fileName_;
};

}  // namespace zefa
