#include "ui/display_hooks.h"

#include "core/display_hooks.h"
#include "ui/radius.h"
#include "ui/status/control_texts.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"

void gf_connectDisplayHooks() {
    displayHooks = {
        .showCheckBox = gf_setCheckBox,
        .showNumber = gf_setTbInt,
        .showText = gf_setTbText,
        .setRadiusNm = gf_setRadiusNm,
        .updateAutoRange = gf_updateAutoRange,
        .showMessage = gf_showMessage,
    };
}
