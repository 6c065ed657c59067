#pragma once
// Seam: the one setting the common helpers read, until the settings registry
// is built. The registry replaces this file with the full family of setting
// classes and every key of parameters.xml.

#include <atomic>

struct BoolParameter {
    const char* name;
    bool defaultValue;
    std::atomic<bool> value;

    constexpr BoolParameter(const char* name_, bool defaultValue_)
        : name(name_), defaultValue(defaultValue_), value(defaultValue_) {}
};

// Random choices of liveries, stands and similar models; off makes them
// repeatable (the first candidate is always taken).
extern BoolParameter RANDOM;
