#include "liveries/section_keys.h"

#include <algorithm>

#include "core/format.h"
#include "core/strings.h"
#include "liveries/scan_reports.h"

bool SectionKeys::takeParkingTypes(std::string_view line) {
    if (!parkingTypes_.empty()) {
        if (lf_hasParkingTypesKey(line)) {
            refuse(" has more than one atc_parking_types key");
            return true;
        }
        return false;
    }
    auto types = lf_readParkingTypes(line);
    if (!types) {
        return false;
    }
    gf_removeSpacesInList(*types);
    std::ranges::transform(*types, types->begin(), toUpperChar);
    parkingTypes_ = std::move(*types);
    return true;
}

bool SectionKeys::takeAtcId(std::string_view line, bool cutAtSemicolon, std::string_view separator) {
    if (!atcId_.empty()) {
        if (lf_hasAtcIdKey(line)) {
            lf_addIncompleteSectionLine(fmtlib::format("{}, {}, has more than one atc_id key", file_.folder, header_));
            refused_ = true;
            return true;
        }
        return false;
    }
    const auto value = lf_readAtcId(line);
    if (!value) {
        return false;
    }
    const std::string registration = cutAtSemicolon ? value->substr(0, value->find(';')) : *value;
    if (!checkAtcId(registration, atcId_)) {
        lf_addIncompleteSectionLine(fmtlib::format("invalid atc_id={} in{}{}", registration, separator, title_));
    }
    return true;
}

bool SectionKeys::titleUsable() const {
    if (title_.empty()) {
        report(" misses title");
        return false;
    }
    return !gf_isDontUseTitle(title_);
}

void SectionKeys::report(std::string_view problem) const {
    lf_addIncompleteSectionLine(file_.folder + " " + header_ + std::string(problem));
}
