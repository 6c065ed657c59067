#include "traffic/lifecycle/aircraft_livery.h"

#include <string>

#include "airports/park_stands.h"
#include "core/format.h"
#include "core/log.h"
#include "core/settings.h"
#include "liveries/livery_matching.h"
#include "traffic/aircraft_labels.h"

namespace {

LiverySubject lf_subject(const AcIdentity& identity) {
    const LiveAcStrings& strings = identity.strings;
    return {strings.airline, strings.type, strings.registration, identity.category, identity.cargo != 0};
}

void lf_logMatch(const AcIdentity& identity, std::string_view marker) {
    if (LOG.value) {
        gf_writeLogPlain(fmtlib::format("          {} ={}= {}", gf_describeAc(identity), marker, identity.liveryTitle));
    }
}

}  // namespace

void gf_matchLiveLivery(LiveAc& aircraft) {
    AcIdentity& identity = aircraft.identity;
    const LiveryMatch match = gf_chooseLiveLivery(lf_subject(identity));
    identity.liveryTitle = match.title;
    if (match.end != LadderEnd::matched) {
        return;
    }
    lf_logMatch(identity, std::to_string(match.step));
    identity.reverseThrust = match.title.find("FSLTL_") != std::string_view::npos ? 1 : 0;
}

bool gf_matchStaticLivery(ParkedAc& aircraft) {
    AcIdentity& identity = aircraft.identity;
    if (!identity.liveryTitle.empty()) {
        lf_logMatch(identity, "s");
        return true;
    }
    identity.cargo = aircraft.cargoStand;
    const LiveryMatch match = gf_chooseStaticLivery(lf_subject(identity));
    identity.liveryTitle = match.title;
    if (match.end == LadderEnd::matched) {
        lf_logMatch(identity, std::to_string(match.step));
    } else if (match.end == LadderEnd::noLivery && LOG.value) {
        gf_writeLogPlain(fmtlib::format("{:8}: {} no livery match ...", gf_standName(aircraft.standId),
                                        gf_describeAcWithId(identity)));
    }
    return match.end == LadderEnd::matched;
}
