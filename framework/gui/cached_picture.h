#pragma once
#include "framework/gui/picture.h"

namespace zefa {

// A picture of the resources folder, loaded on first need and handed out from then on; a load
// that finds nothing is tried again on the next call. The framework's process state holds it:
// its entry there is the accessor's once flag (present once called) and its cached picture.
class CachedPicture {
 public:
  explicit constexpr CachedPicture(const char* fileName) : fileName_(fileName) {}
  Ref<Picture> Get() const;
  bool Called() const;  // the once flag: whether Get ran since the process (state) started

 private:
  const char* fileName_;
};

}  // namespace zefa
