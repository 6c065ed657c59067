#pragma once
// aircraft.cfg files of the IVAO model packages (IVAO_MTL, ivao_x-csl): the
// model comes from the aircraft's folder name (IVAO_<model>), the airline
// from the title ("B738 KLM ...", "B738W KLM ..." for the models with
// winglets), each section's texture folder must exist, and every livery is
// a passenger livery. Otherwise as liveries/aircraft_cfg.h.

#include <cstdint>
#include <filesystem>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "liveries/aircraft_cfg.h"
#include "liveries/livery_data.h"

// The task for an IVAO aircraft.cfg. Nothing for a path that is no IVAO
// aircraft's, a file whose encoding cannot be told (logged "No character
// set found for {}") or read, or wrong section numbers; an exception gives
// nothing either, without a log line.
std::list<LiveryData> searchIvaoLiveriesInFile(std::int32_t folderOrdinal, const std::filesystem::path& path);

// The model of the path ...\IVAO_MTL\SimObjects\Airplanes\IVAO_<name>\aircraft.cfg
// (or ivao_x-csl; names without regard to case, '\' or '/' between them):
// the first 4 characters of <name> as written, checked by checkModelCode.
// Another path is reported as an invalid model and gives "".
std::string lf_ivaoModelFromPath(const std::string& path);

// Sections end at the next header or any line with a '['; a section's
// livery is kept when it has an airline.
std::list<LiveryData> lf_splitIvaoFltSimSections(const CfgFile& file, const std::vector<std::string>& lines);
// The section's livery; the empty record when it is refused or incomplete
// (reported), not to be used or taken already.
LiveryData readIvaoFltSimSection(const CfgFile& file, CfgSection section);

// The airline code of an IVAO title: the model (and a 'W' for the models
// with winglets), white space, then three word characters, as written;
// nothing when the title does not have that shape.
std::optional<std::string> gf_airlineFromIvaoTitle(std::string_view title, std::string_view model, bool winglets);
