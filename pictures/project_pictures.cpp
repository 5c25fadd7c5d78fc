#include "pictures/project_pictures.h"

namespace zefa {
namespace {

// The pictures themselves stay in the framework's process state until the process ends.
constexpr CachedPicture g_IQlangPix("IQlangPix..png"), g_ZEFAtitle("ZEFAtitle.png"), g_Rest("Rest.png"),
    g_PreAchFormula("PreAchFormula.png"), g_SEformula("SEformula.png"), g_Ride64("Ride64.png");

}  // namespace

namespace _x_IQlangPix {
Ref<Picture> IQlangPix() { return g_IQlangPix.Get(); }
}  // namespace _x_IQlangPix
namespace _x_ZEFAtitle {
Ref<Picture> ZEFAtitle() { return g_ZEFAtitle.Get(); }
}  // namespace _x_ZEFAtitle
namespace _x_Rest {
Ref<Picture> Rest() { return g_Rest.Get(); }
}  // namespace _x_Rest
namespace _x_PreAchFormula {
Ref<Picture> PreAchFormula() { return g_PreAchFormula.Get(); }
}  // namespace _x_PreAchFormula
namespace _x_SEformula {
Ref<Picture> SEformula() { return g_SEformula.Get(); }
}  // namespace _x_SEformula
namespace _x_Ride64 {
Ref<Picture> Ride64() { return g_Ride64.Get(); }
}  // namespace _x_Ride64

}  // namespace zefa
