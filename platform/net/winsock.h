#pragma once
// Winsock's start and end. On Windows no socket call works before
// WSAStartup, and every successful WSAStartup is matched by one WSACleanup
// (Windows counts them; the last cleanup frees Winsock). Elsewhere there is
// nothing to start: the start succeeds and the end does nothing.

namespace platform::net {

// WSAStartup for version 2.2: 0, or the error code it returned.
int startWinsock() noexcept;
// WSACleanup, after a successful startWinsock.
void cleanupWinsock() noexcept;

// One use of Winsock for the life of the object: started when it is made,
// cleaned up when it ends, when the start succeeded.
class WinsockUse {
public:
    WinsockUse() noexcept : startError_(startWinsock()) {}
    ~WinsockUse() {
        if (startError_ == 0) {
            cleanupWinsock();
        }
    }
    WinsockUse(const WinsockUse&) = delete;
    WinsockUse& operator=(const WinsockUse&) = delete;

    // 0 when Winsock is started, else WSAStartup's error code.
    int startError() const noexcept { return startError_; }

private:
    int startError_;
};

}  // namespace platform::net
