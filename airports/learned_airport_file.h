#pragma once
// The learned file of the park airport: what Vantrel learned there (traffic
// options of live aircraft, stand radii and cargo flags, stands the user
// added) and the per-airport settings, saved when the park airport is given
// up and merged over the archived stands the next time its stand file is
// read. It is a stand file (airports/stand_file.h) written in learned mode
// into airports/learned/stock, airports/learned/simaddon or
// airports/learned/thirdparty/<publisher>, named <ICAO>.xml. A learned file
// with the parameter "handmade" replaces the archived stands instead. Worker
// thread.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "airports/park_stands.h"
#include "airports/stand_file.h"

// Merges the learned file at learnedPath into stands: its settings are set,
// learned options and changes join the archived stands of the same name,
// stands the user added are appended. A handmade file empties stands and
// reads its own instead (learnedFileHandmade set). archived is the stand
// file's record, whose airport name the learned one is checked against. A
// file that does not parse is copied to <name>.0.xml and not merged; a file
// without the meta entries author, date and version is ignored. Every
// failure is logged ("lf_readLearned: {}"); nothing is thrown.
void lf_readLearned(const std::filesystem::path& learnedPath, const AirportFileInfo& archived,
                    std::vector<ParkPosition>& stands);

// When the stand is the one named id, applies the learned <parkpos> to it
// (radius and cargo changes, new options after its own) and returns true;
// false for any other stand.
bool applyLearnedParkpos(const std::string& id, const pugi::xml_node& parkpos, ParkPosition& stand);

// The learned option repeats the existing one: same day, real or soft,
// registration, airline and type, and a half hour in common.
bool sameStandOption(const ParkOption& learned, const ParkOption& existing);

// The folder of the learned files of a publisher: airports/learned/stock,
// airports/learned/simaddon, else airports/learned/thirdparty/<publisher>.
std::filesystem::path gf_learnedFolder(const std::string& publisher);

// Writes the park airport's learned file (only the learned options, the
// changed and the added stands; every stand when it is handmade) and reports
// it on the message line; learnedUpdateCount and parkingParamsChanged are
// reset either way. A publisher's folder is made when missing; a failing
// file-system test throws std::filesystem::filesystem_error.
void saveLearnedAirportFile();
