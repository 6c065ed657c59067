#pragma once
// A text that several threads read and write, such as the value of a string
// setting that the window changes while the worker reads it. Every access
// copies under the text's own lock, so a reader never sees a half-replaced
// text. The lock is a leaf: nothing else is locked while it is held.

#include <mutex>
#include <string>
#include <string_view>

class SharedText {
public:
    SharedText() = default;
    explicit SharedText(std::string text) : text_(std::move(text)) {}
    SharedText(const SharedText&) = delete;
    SharedText& operator=(const SharedText&) = delete;

    std::string load() const {
        const std::lock_guard lock(mutex_);
        return text_;
    }
    void store(std::string text) {
        const std::lock_guard lock(mutex_);
        text_ = std::move(text);
    }

    operator std::string() const { return load(); }  // NOLINT: reads like the plain string it replaces
    SharedText& operator=(std::string text) {
        store(std::move(text));
        return *this;
    }

    bool empty() const {
        const std::lock_guard lock(mutex_);
        return text_.empty();
    }
    friend bool operator==(const SharedText& shared, std::string_view text) {
        const std::lock_guard lock(shared.mutex_);
        return shared.text_ == text;
    }

private:
    // Its place in the lock order: docs/locks.md.
    mutable std::mutex mutex_;  // guards text_; a leaf lock
    std::string text_;
};
