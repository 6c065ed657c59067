#pragma once
// A generated installation of AI aircraft packages for the benchmarks of
// the livery scan and of what the program holds: aircraft.cfg files with
// four [fltsim.N] sections each (25 lines each, as AI packages write them),
// in packages of 20 aircraft; 40 types, 100 airlines; every section with a
// registration, one in fifty without an airline.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "core/format.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"

namespace livery_installation {

namespace fs = std::filesystem;

inline constexpr int kAircraftPerPackage = 20;
inline constexpr int kSectionsPerFile = 4;
inline constexpr int kTypeCount = 40;
inline constexpr int kAirlineCount = 100;
// Liveries (sections) per package.
inline constexpr int kLiveriesPerPackage = kAircraftPerPackage * kSectionsPerFile;

inline std::string lf_type(int index) { return fmtlib::format("T{:03}", index); }
inline std::string lf_airline(int index) { return fmtlib::format("A{:02}", index); }

inline std::string lf_aircraftCfg(int file) {
    const int type = file % kTypeCount;
    std::string text = fmtlib::format(R"([VERSION]
major = 1
minor = 0

[GENERAL]
atc_type = "Generated"
atc_model = "Model {0}"
Category = "Airplane"
icao_type_designator = "{0}"
icao_manufacturer = "MAKER"
icao_engine_type = "Jet"

[VARIATION]
base_container = "..\AIG_{0}"

;===================== FLTSIM =====================
)",
                                      lf_type(type));
    for (int section = 0; section < kSectionsPerFile; ++section) {
        const int serial = file * kSectionsPerFile + section;
        const int airline = serial % kAirlineCount;
        const std::string airlineLine =
            serial % 50 == 0 ? std::string() : fmtlib::format("icao_airline = \"{}\" ; ###\n", lf_airline(airline));
        text += fmtlib::format(R"(
[FLTSIM.{0}]
title = "AIG {1} {2} livery {3}" ; Variation name
model = "" ; model folder
panel = "" ; panel folder
sound = "" ; sound folder
texture = "{1}_{3}" ; texture folder
kb_checklists = "" ; Procedures/Checklist sibling file name
description = "Generated livery {3} of airline {1}" ; Variation description.
ui_manufacturer = "Maker" ; e.g. Boeing, Cessna
ui_type = "{2}" ; e.g. 747-400, 172
ui_variation = "{1} {3}" ; e.g. World Air, IFR Panel
ui_typerole = "Commercial Airliner"
ui_createdby = "Generator"
atc_id = "N{3:05}" ; tail number
atc_id_enable = 1 ; enable tail number
atc_airline = "Airline {1}" ; airline name
atc_flight_number = "1123" ; flight number
atc_heavy = 0 ; heavy?
atc_parking_types = "GATE,RAMP" ; "ANY" / "RAMP" / "CARGO" / "MIL_CARGO" / "MIL_COMBAT" / "GATE" / "DOCK"
atc_parking_codes = "{1}" ; Comma separated and may be as small as one character each
{4}isAirTraffic = 1 ; Is the plane usable for air traffic
isUserSelectable = 0 ; Is the plane selectable by the user
)",
                               section, lf_airline(airline), lf_type(type), serial, airlineLine);
    }
    return text;
}

// The installation of the given number of packages, written in a folder of
// the system's temporary folder (named after the program and its process)
// and removed with the helper. Fills the aircraft database with the types
// and airlines.
struct GeneratedInstallation {
    GeneratedInstallation(std::string_view name, int packageCount)
        : root(fs::temp_directory_path() / fmtlib::format("vantrel-bench-{}-{}", name, ::getpid())) {
        for (int package = 0; package < packageCount; ++package) {
            for (int aircraft = 0; aircraft < kAircraftPerPackage; ++aircraft) {
                const int file = package * kAircraftPerPackage + aircraft;
                const fs::path folder = root / fmtlib::format("aig-package-{:03}", package) / "SimObjects" /
                                        "Airplanes" / fmtlib::format("AIG_{:04}", file);
                fs::create_directories(folder);
                std::ofstream(folder / "aircraft.cfg", std::ios::binary) << lf_aircraftCfg(file);
            }
        }
        dbase = DbaseTables{};
        for (int type = 0; type < kTypeCount; ++type) {
            dbase.knownAircraftTypes.insert(lf_type(type));
        }
        for (int airline = 0; airline < kAirlineCount; ++airline) {
            dbase.icaoAirlines.insert(lf_airline(airline));
        }
    }
    ~GeneratedInstallation() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    GeneratedInstallation(const GeneratedInstallation&) = delete;
    GeneratedInstallation& operator=(const GeneratedInstallation&) = delete;

    const fs::path root;
};

}  // namespace livery_installation
