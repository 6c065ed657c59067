#include "core/display_hooks.h"

constinit DisplayHooks displayHooks;
