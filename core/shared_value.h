#pragma once
// A small value that one thread writes while another reads it, too wide for
// a lock-free atomic (a position, an optional elevation, an airport record).
// Every access copies the whole value under the value's own lock, so a
// reader never sees half of an old value and half of a new one. The lock is
// a leaf: nothing else is locked while it is held.

#include <mutex>
#include <utility>

template <typename T>
class SharedValue {
public:
    constexpr SharedValue() = default;
    explicit SharedValue(T value) : value_(std::move(value)) {}
    SharedValue(const SharedValue&) = delete;
    SharedValue& operator=(const SharedValue&) = delete;

    T load() const {
        const std::lock_guard lock(mutex_);
        return value_;
    }
    void store(T value) {
        const std::lock_guard lock(mutex_);
        value_ = std::move(value);
    }

    operator T() const { return load(); }  // NOLINT: reads like the plain value it guards
    SharedValue& operator=(T value) {
        store(std::move(value));
        return *this;
    }

private:
    // Its place in the lock order: docs/locks.md.
    mutable std::mutex mutex_;  // guards value_; a leaf lock
    T value_{};
};
