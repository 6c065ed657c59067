#pragma once
// parameters.xml, the user's settings between runs: read once at each start
// (missing entries completed, a new file of defaults on the first run),
// then migrated when a newer program version runs for the first time. Single
// settings are saved with their own save (core/parameter.h).
//
// The file: root "parameters", one "parameter" element per key with the
// attributes "name" and "value". Settings not in the six groups below (the
// per-airport and the meta items, buttons, ALL_INSTALL_PATH,
// CALLSIGN_2_OBJECTID) are never read from it.

#include <set>
#include <string>
#include <vector>

#include "core/parameter.h"

// The settings kept in the file, in the six groups and the order in which
// they are read.
struct ParameterGroups {
    std::vector<BoolParameter*> switches;              // 1
    std::vector<BoolControlParameter*> checkBoxes;     // 2: each check box shows its value
    std::vector<IntParameter*> numbers;                // 3
    std::vector<IntControlParameter*> shownNumbers;    // 4: each control shows its value
    std::vector<StringParameter*> texts;               // 5
    std::vector<StringControlParameter*> shownTexts;   // 6: each control shows its value
};

ParameterGroups gf_parameterGroups();

// The start-up read on the worker: loadParameters, updateParameters, then
// the traffic radius from RANGE (gf_setRadiusNm, through displayHooks).
// Failures are logged.
void gf_readParameters();

// Reads every setting of the groups from the file, clamping numbers to their
// limits, appends the entries that are missing (but for the legacy keys,
// which only a file of an older version holds), drops livery-folder entries
// that hold no folder, and writes the file back. Without a readable file the
// defaults go into a new one; an unreadable file is kept beside it first,
// the log says that the defaults replace it, and so will
// gf_takeParametersNotice.
// Returns the keys that the file held before it was completed.
std::set<std::string> loadParameters(const ParameterGroups& groups);

// What the user must be told of the last read: that an unreadable file was
// replaced by the defaults (and where it is kept); empty when there is
// nothing to tell. Taken once: the text is emptied.
std::string gf_takeParametersNotice();

// True for lfolder0 to lfolder9, the extra livery folders.
bool gf_isLiveryFolderParameter(const Parameter& setting);
