#pragma once
// The UI thread's queue of posted messages and its quit request.

#include <deque>
#include <mutex>
#include <optional>

#include "platform/window/win32_types.h"

namespace platform::window::impl {

class MessageQueue {
public:
    // Any thread.
    void post(const MSG& message);
    void postQuit(int exitCode);

    // UI thread: the oldest posted message; removed when remove is set.
    std::optional<MSG> takePosted(bool remove);
    // UI thread: the exit code of a quit request; cleared when remove is set.
    std::optional<int> takeQuit(bool remove);

private:
    // Its place in the lock order: docs/locks.md.
    std::mutex mutex_;  // guards messages_ and quitCode_; a leaf lock of the layer
    std::deque<MSG> messages_;
    std::optional<int> quitCode_;
};

MessageQueue& messageQueue();

}  // namespace platform::window::impl
