#pragma once
// One instance of the program per user: on Windows a named mutex in the
// session's namespace ("Local\..."), made with CreateMutexA and held
// until the process ends. Elsewhere the name becomes a lock file in the
// user's local application-data folder (LOCALAPPDATA, else the XDG data
// folder), locked with flock. The lock is held until the
// process ends, whichever way it ends; the system releases it then, so a
// crashed instance never blocks the next start.

#include <string_view>

namespace platform {

enum class InstanceLock {
    acquired,     // this process holds the lock now
    alreadyHeld,  // another process of this user holds it (ERROR_ALREADY_EXISTS)
    failed,       // no lock could be made (no folder, no file); nothing is held
};

// Takes the lock of that name, without waiting. On Windows the name is the
// mutex's; elsewhere its path separators ('\' and '/') become '_' in the
// lock file's name.
InstanceLock acquireInstanceLock(std::string_view name);

}  // namespace platform
