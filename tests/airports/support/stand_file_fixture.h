#pragma once
// Airport stand files in a fresh working folder: Log.txt open, the airports
// folders made, every setting at its default, a download server of the
// test's own, no park airport, no stands and an empty registration table.
// Everything is back at its start values after the test.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "airports/park_stands.h"
#include "support/http_server.h"
#include "support/settings_file_fixture.h"
#include "support/temp_folder.h"

namespace test {

// The meta block that Vantrel writes, with the three entries a learned
// file must have.
extern const std::string kStandFileMeta;

// <parameters> with the entries (name, value).
std::string standFileParameters(const std::vector<std::pair<std::string, std::string>>& entries);

// A <parkpos> at the position with the radius in metres (and heading 90);
// extra attributes and <opt> children as given.
std::string parkposXml(const std::string& id, double latDeg, double lonDeg, double radiusMetres,
                       const std::string& extraAttributes = "", const std::string& options = "");

// A stand of the test: at the position, radius in metres.
ParkPosition makeStand(const std::string& name, double latDeg, double lonDeg, double radiusMetres);
// An option with a day and half hours.
ParkOption makeOption(const std::string& registration, const std::string& airline, const std::string& type,
                      std::int32_t day, std::initializer_list<std::size_t> halfHours);

class StandFileTest : public SettingsFileTest {
protected:
    StandFileTest();
    ~StandFileTest() override;

    // Writes the stand file: meta, parameters, then the <parkpos> elements.
    static void writeStandFile(const std::filesystem::path& path, const std::string& parameters,
                               const std::string& parkposElements, const std::string& meta = kStandFileMeta);
    // Makes the park airport the airport with the code at (lat, lon).
    static void setParkAirport(const std::string& code, double latDeg = 52.3, double lonDeg = 4.76);

    const std::filesystem::path& folder = log.folder().path();
    HttpServer server;
    ScopedEnvironment downloadBase{"VANTREL_DOWNLOAD_BASE", server.baseUrl()};
};

}  // namespace test
