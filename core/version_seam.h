#pragma once
// Seam: the program's version record, until the version records are built.
// Their own module replaces this file with the full VersionData (reading
// dotted text and JSON, comparison).

#include <cstdint>
#include <string>

struct VersionData {
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t patch = 0;
};

// The running program's version, 11.0.3.
extern const VersionData programVersion;

// "{}.{}.{}": 11, 0, 3 gives "11.0.3".
std::string gf_formatVersion(const VersionData& version);
