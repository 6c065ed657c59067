#include "ui/main_window_seam.h"

void gf_updateAutoRange() {}
