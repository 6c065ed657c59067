#include "console.h"

#include <iostream>
#include <mutex>

namespace rtpeer {

void say(std::string_view line) {
    static std::mutex mutex;  // guards standard output
    const std::lock_guard lock(mutex);
    std::cout << line << std::endl;
}

}  // namespace rtpeer
