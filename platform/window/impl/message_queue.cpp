#include "platform/window/impl/message_queue.h"

namespace platform::window::impl {

void MessageQueue::post(const MSG& message) {
    const std::lock_guard lock(mutex_);
    messages_.push_back(message);
}

void MessageQueue::postQuit(int exitCode) {
    const std::lock_guard lock(mutex_);
    quitCode_ = exitCode;
}

std::optional<MSG> MessageQueue::takePosted(bool remove) {
    const std::lock_guard lock(mutex_);
    if (messages_.empty()) {
        return std::nullopt;
    }
    const MSG message = messages_.front();
    if (remove) {
        messages_.pop_front();
    }
    return message;
}

std::optional<int> MessageQueue::takeQuit(bool remove) {
    const std::lock_guard lock(mutex_);
    const std::optional<int> code = quitCode_;
    if (remove) {
        quitCode_.reset();
    }
    return code;
}

MessageQueue& messageQueue() {
    static auto& instance = *new MessageQueue;
    return instance;
}

}  // namespace platform::window::impl
