#pragma once
// The six pictures of the program. Each accessor loads its file on first need and hands out the
// same picture from then on; a load that finds nothing is tried again on the next call.
#include "framework/gui/cached_picture.h"

namespace zefa {

// The `_x_` namespaces and the names in them are the ones the runtime stores for the pictures.
namespace _x_IQlangPix { Ref<Picture> IQlangPix(); }
namespace _x_ZEFAtitle { Ref<Picture> ZEFAtitle(); }
namespace _x_Rest { Ref<Picture> Rest(); }
namespace _x_PreAchFormula { Ref<Picture> PreAchFormula(); }
namespace _x_SEformula { Ref<Picture> SEformula(); }
namespace _x_Ride64 { Ref<Picture> Ride64(); }

}  // namespace zefa
