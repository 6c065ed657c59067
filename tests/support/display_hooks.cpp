// The tests run the program's pieces as the program runs them: with core's
// display hooks connected to the main window before any test starts, as the
// program's entry connects them.

#include "ui/display_hooks.h"

namespace {

[[maybe_unused]] const bool displayHooksConnected = [] {
    gf_connectDisplayHooks();
    return true;
}();

}  // namespace
