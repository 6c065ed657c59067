#include "platform/os/single_instance.h"

#include <string>
#include <windows.h>

namespace platform {

InstanceLock acquireInstanceLock(std::string_view name) {
    const std::string mutexName(name);
    // No security attributes, not owned: its existence is the lock. The
    // handle stays open for the life of the process; Windows closes it
    // however the process ends.
    const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, mutexName.c_str());
    if (mutex == nullptr) {
        return InstanceLock::failed;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return InstanceLock::alreadyHeld;
    }
    return InstanceLock::acquired;
}

}  // namespace platform
