#include "ui/program_resources.h"

#include "platform/window/resources.h"

namespace {

// Filled while the program's globals are built, before anything loads it.
const bool lf_stringTableFilled = [] {
    platform::window::setStringResource(kTitleStringId, u"Vantrel");
    return true;
}();

}  // namespace
