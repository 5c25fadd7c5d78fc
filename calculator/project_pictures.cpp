#include "calculator/project_pictures.h"

namespace zefa {
namespace {

struct Cache {
  bool once = false;
  Ref<Picture> pic;
};

Ref<Picture> Load(Cache& c, const char* fileName) {
  if (!c.once) {
    c.once = true;
    c.pic = nullptr;
  }
  if (!c.pic) c.pic = Picture::_OpenFromApp(fileName);
  return c.pic;
}

// The pictures go with the process: never destroyed, so none is freed inside the exit handlers.
Cache &g_IQlangPix = *new Cache, &g_ZEFAtitle = *new Cache, &g_Rest = *new Cache,
      &g_PreAchFormula = *new Cache, &g_SEformula = *new Cache, &g_Ride64 = *new Cache;

}  // namespace

namespace _x_IQlangPix {
Ref<Picture> IQlangPix() { return Load(g_IQlangPix, "IQlangPix..png"); }
}  // namespace _x_IQlangPix
namespace _x_ZEFAtitle {
Ref<Picture> ZEFAtitle() { return Load(g_ZEFAtitle, "ZEFAtitle.png"); }
}  // namespace _x_ZEFAtitle
namespace _x_Rest {
Ref<Picture> Rest() { return Load(g_Rest, "Rest.png"); }
}  // namespace _x_Rest
namespace _x_PreAchFormula {
Ref<Picture> PreAchFormula() { return Load(g_PreAchFormula, "PreAchFormula.png"); }
}  // namespace _x_PreAchFormula
namespace _x_SEformula {
Ref<Picture> SEformula() { return Load(g_SEformula, "SEformula.png"); }
}  // namespace _x_SEformula
namespace _x_Ride64 {
Ref<Picture> Ride64() { return Load(g_Ride64, "Ride64.png"); }
}  // namespace _x_Ride64

void ResetProjectPicturesForTesting() {
  for (Cache* c : {&g_IQlangPix, &g_ZEFAtitle, &g_Rest, &g_PreAchFormula, &g_SEformula, &g_Ride64}) *c = Cache{};
}

}  // namespace zefa
