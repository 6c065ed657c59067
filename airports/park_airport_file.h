#pragma once
// Loading the park airport's stand file: the file that findAirportFile names
// (downloaded first when it lies on the server) is read into the airport's
// record and parkPositions, its learned file is merged over it, the quality
// factors are worked out, the stands get their ids and neighbours, and the
// main window shows the result. Worker thread, once per park airport chosen.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "airports/park_stands.h"
#include "airports/stand_file.h"

// How well a stand file knows the airport's traffic, in percent: from real
// traffic and from soft (guessed) options; -1 when unknown.
struct QualityFactors {
    std::int32_t real = -1;
    std::int32_t soft = -1;
};

// Reads the stand file at path (a local path beginning with "airports", or
// a path on the download server, fetched into airports/park_airport.xml)
// into record and parkPositions, which the caller has emptied, and merges
// the airport's learned file. Empty on success; else the error text: an
// empty path, no park airport, a failed download, a file that does not
// load, or "no stands found" (after everything else was done). Sets
// parkingActive, the park airport's altitude (also for the traffic reader)
// and the main window's stand count, publisher, handmade mark and quality
// text. Throws qrx::UserErrorException 65 ("Parameter altitude not found"),
// 94 (a stand id twice) and std::filesystem::filesystem_error "exists";
// stands read before stay in parkPositions.
std::string gf_readApf(const std::string& path, AirportFileInfo& record, QualityFactors& qualityFactors);

// The quality factors of the stands' options (numbered ones only), each
// stand weighted by its radius; (-1, -1) when no stand has options.
QualityFactors computeQualityFactors(const std::vector<ParkPosition>& stands);

// "  " for unknown factors, "40/70" while the real factor is below 45, else
// the real factor alone ("80").
std::string formatCountPair(QualityFactors qualityFactors);
