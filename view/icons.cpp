// The robot icons (one per heading, each over the grid crossing at its pixel (15, 15)) and the
// application icon.
#include "view/icons.h"

#include "view/icons/p000_icn.xpm"
#include "view/icons/p090_icn.xpm"
#include "view/icons/p180_icn.xpm"
#include "view/icons/p270_icn.xpm"
#include "view/icons/pndl_icn.xpm"

const char* const* iconImage(int index) {
    static const char* const* const images[5] = {pndl_icn, p000_icn, p090_icn, p180_icn,
                                                  p270_icn};
    return images[index >= 0 && index < 5 ? index : 0];
}
