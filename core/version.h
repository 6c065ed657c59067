#pragma once
// The version of the program and of each of its data sets (aircraft
// database, registration codes, scenery add-on package): three whole numbers,
// read from the text kept in a setting or on the download server, compared to
// decide on migrations and downloads, and written as dotted text.

#include <compare>
#include <cstdint>
#include <string>

struct VersionData {
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t patch = 0;

    constexpr VersionData() = default;
    constexpr VersionData(std::int32_t major_, std::int32_t minor_, std::int32_t patch_)
        : major(major_), minor(minor_), patch(patch_) {}

    // Three numbers with any one character but a line end between them
    // ("11.0.3", also "1x2y3"), or else a JSON object with the members
    // "major", "minor" and "patch" (a missing member is 0). Read in linear time,
    // whatever the text; a text of more than 256 characters is refused before
    // it is read. Never throws: a failure is logged "VersionData exception:
    // {}" and leaves 0 in every number not yet read, so "11.0", "" or
    // "v11.0.3" give 0.0.0, below every real version.
    explicit VersionData(const std::string& text);

    // By major, then minor, then patch: 11.0.3 > 11.0.2 > 10.9.9.
    friend constexpr auto operator<=>(const VersionData&, const VersionData&) = default;
};

// The running program's version, 11.0.3.
extern const VersionData programVersion;

// "{}.{}.{}": 11, 0, 3 gives "11.0.3".
std::string gf_formatVersion(const VersionData& version);
