#include "ui/ui_state.h"

#include "core/settings.h"
#include "ui/radius.h"

void gf_resetUiState() { gf_setRadiusNm(RANGE.value); }
