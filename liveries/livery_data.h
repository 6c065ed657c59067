#pragma once
// One installed AI livery, and the list that a livery scan fills with them.
//
// The scan threads (one per aircraft.cfg file) make records with
// makeLiveryData, which hands out each title only once per scan; the thread
// that runs the folder search splices each file's records into liveryList.

#include <cstdint>
#include <list>
#include <set>
#include <string>

struct LiveryData {
    std::string airline;  // ICAO airline code; "ZZZ" without an airline, "PVT" private
    std::string model;    // ICAO type designator, upper case, at most 4 characters
    std::string title;    // the name by which the simulator creates the aircraft
    std::string atcId;    // its registration when it has exactly one, else empty
    // Position (1 to 10) of the liveries folder it was found in; 0 when read
    // back from LiveriesScanned.xml.
    std::int32_t folderOrdinal = 0;
    bool cargo = false;

    // Every field but the folder ordinal.
    bool operator==(const LiveryData& other) const {
        return title == other.title && airline == other.airline && model == other.model && atcId == other.atcId &&
               cargo == other.cargo;
    }
};

// The record {airline, model, title, atcId, folderOrdinal, cargo = !pax}
// when the title was not handed out yet in this scan; the empty record (all
// strings empty, ordinal 0, not cargo) when it was.
LiveryData makeLiveryData(std::int32_t folderOrdinal, std::string airline, std::string model, bool pax,
                          std::string title, std::string atcId);
