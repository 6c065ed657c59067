#include "scanner/addon_scan_seam.h"

#include "core/parameter_controls.h"
#include "core/settings.h"

void gf_scanAddonAirports() {
    SCAN_AIRPORTS.value = false;
    SCAN_AIRPORTS.save();
    gf_setCheckBox(SCAN_AIRPORTS);
}
