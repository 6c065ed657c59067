#include "records/live_ac_labels.h"

#include "core/format.h"

namespace {

// The route label of an aircraft without origin and destination.
constexpr std::string_view kNoRoute = "        ";

}  // namespace

std::string gf_describeAcIdentity(std::string_view airline, std::string_view type) {
    return fmtlib::format("{:3} {:4}", airline, type);
}

std::string gf_describeAcIdentity(const LiveAcStrings& strings) {
    return gf_describeAcIdentity(strings.airline, strings.type);
}

std::string gf_describeCallsign(const LiveAcStrings& strings) { return fmtlib::format("{:8}", strings.callsign); }

std::string gf_describeRoute(const LiveAcStrings& strings) {
    if (strings.origin.empty() && strings.destination.empty()) {
        return std::string(kNoRoute);
    }
    return fmtlib::format("{:3}->{:3}", strings.origin, strings.destination);
}

std::string gf_describeAcRoute(const LiveAcStrings& strings) {
    return fmtlib::format("{} {:8} {}", gf_describeCallsign(strings), strings.registration, gf_describeRoute(strings));
}

std::string gf_describeAc(const LiveAcStrings& strings) {
    return fmtlib::format("{} {}", gf_describeAcIdentity(strings), gf_describeAcRoute(strings));
}

std::string gf_describeAcWithId(const LiveAcStrings& strings) {
    return fmtlib::format("{} {} {}", gf_describeAcIdentity(strings), gf_describeCallsign(strings),
                          strings.registration);
}

std::string gf_describeAcWithRegistration(const LiveAcStrings& strings) {
    return gf_describeAcIdentity(strings) + " " + strings.registration;
}
