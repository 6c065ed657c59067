#include "traffic/aircraft_labels_seam.h"

#include "core/format.h"

namespace {

std::string lf_identityLabel(const LiveAcStrings& strings) {
    return gf_describeAcIdentity(strings.airline, strings.type);
}

std::string lf_routeLabel(const LiveAcStrings& strings) {
    if (strings.origin.empty() && strings.destination.empty()) {
        return std::string(8, ' ');
    }
    return fmtlib::format("{:3}->{:3}", strings.origin, strings.destination);
}

}  // namespace

std::string gf_describeAcIdentity(std::string_view airline, std::string_view type) {
    return fmtlib::format("{:3} {:4}", airline, type);
}

std::string gf_describeAc(const AcIdentity& identity) {
    const LiveAcStrings& strings = identity.strings;
    return fmtlib::format("{} {:8} {:8} {}", lf_identityLabel(strings), strings.callsign, strings.registration,
                          lf_routeLabel(strings));
}

std::string gf_describeAcWithId(const AcIdentity& identity) {
    const LiveAcStrings& strings = identity.strings;
    return fmtlib::format("{} {:8} {}", lf_identityLabel(strings), strings.callsign, strings.registration);
}
