#include "platform/os/text_file.h"

namespace platform {

bool readTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    dropCarriageReturn(line);
    return true;
}

}  // namespace platform
