#pragma once
// What the two section readers (liveries/aircraft_cfg.cpp and
// liveries/ivao_cfg.cpp) take alike from the lines of a [fltsim.N] section:
// the title, the parking types and the registration, each from its first
// line, and the refusal of a section that repeats one of them. Every report
// goes to incompleteSectionLines and begins with the aircraft.cfg's folder
// and the section's header.

#include <string>
#include <string_view>

#include "core/strings.h"
#include "liveries/aircraft_cfg.h"

class SectionKeys {
protected:
    SectionKeys(const CfgFile& file, CfgSection section) : file_(file), header_(section.front()) {}

    // Each returns whether the line was one of its key (taken, repeated or
    // invalid); a repeated key refuses the section.
    // The title of the first title line, trimmed (a title that trims to
    // nothing is no title yet); the trimmed and the untrimmed value go to
    // trimmed(before, after).
    template <class Trimmed>
    bool takeTitle(std::string_view line, Trimmed trimmed);
    // The parking types: spaces around the items removed, upper-cased.
    bool takeParkingTypes(std::string_view line);
    // The registration of an atc_id line of 5 characters or more (with
    // cutAtSemicolon only what precedes a ';'), when checkAtcId accepts it;
    // else reported "invalid atc_id={value} in{separator}{title}".
    bool takeAtcId(std::string_view line, bool cutAtSemicolon, std::string_view separator);

    // Whether the walk found a title to use: false, and reported, without
    // one; false for a title that is not to be used.
    bool titleUsable() const;

    void report(std::string_view problem) const;  // after the folder and header
    void refuse(std::string_view problem) {
        report(problem);
        refused_ = true;
    }

    const CfgFile& file_;
    const std::string& header_;
    std::string title_;
    std::string parkingTypes_;
    std::string atcId_;
    bool refused_ = false;
};

template <class Trimmed>
bool SectionKeys::takeTitle(std::string_view line, Trimmed trimmed) {
    const auto title = lf_readTitle(line);
    if (!title) {
        return false;
    }
    if (!title_.empty()) {
        refuse(" has more than one title key");
        return true;
    }
    title_ = gf_trim(*title);
    trimmed(*title, title_);
    return true;
}
