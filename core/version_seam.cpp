#include "core/version_seam.h"

#include "core/format.h"

constinit const VersionData programVersion{11, 0, 3};

std::string gf_formatVersion(const VersionData& version) {
    return fmtlib::format("{}.{}.{}", version.major, version.minor, version.patch);
}
