#pragma once
// The callsigns heard while static parking prepares a calculation: the
// traffic reader inserts while the worker empties the set or takes it over.
// Every access is under the set's own lock, and the worker takes the set by
// swapping it out, never by copying it while the reader inserts.

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>

class CallsignSet {
public:
    using Set = std::unordered_set<std::string>;

    void insert(std::string_view callsign);
    void clear();
    // The callsigns collected so far; the set is left empty.
    Set takeAll();

private:
    // Its place in the lock order: docs/locks.md.
    mutable std::mutex mutex_;  // guards callsigns_; a leaf lock
    Set callsigns_;
};
