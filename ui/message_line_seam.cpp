#include "ui/message_line_seam.h"

#include "core/log.h"

void gf_showMessage(std::string_view text, bool log) {
    if (log && !text.empty()) {
        gf_writeLogIfRunning(text);
    }
}
