#include "core/settings_seam.h"

constinit BoolParameter RANDOM{"RANDOM", true};
