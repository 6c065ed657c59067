#include "support/live_traffic_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>
#include <vector>

#include "support/reported_flights.h"
#include "support/rt_peer.h"
#include "support/stand_in_sim.h"
#include "support/temp_folder.h"

namespace e2e {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using nlohmann::json;
using testing::Contains;
using testing::HasSubstr;

// Reports are played this much later than they arrive.
constexpr std::int64_t kPlaybackDelayMs = 30000;
constexpr std::uint16_t kLinkPort = 10747;
const fs::path kDemo = fs::path(VANTREL_SOURCE_DIR) / "tools" / "demo";

// Four aircraft within 12 nm of the user at Zurich, three of them in the
// livery of their registration, DLH202 in one of its airline and type.
// KLM303 stops reporting after 14 s.
std::vector<Flight> lf_flights() {
    return {
        {0x4B1801, "SWR101", "A320", "HB-JLT", "LHR", "ZRH", {47.60, 8.40}, 135.0, 220.0, 7000.0, 4000, 64000},
        {0x3C6601, "DLH202", "A320", "D-AIZB", "FRA", "GVA", {47.35, 8.30}, 60.0, 250.0, 9000.0, 4000, 64000},
        {0x484101, "KLM303", "B738", "PH-BXA", "AMS", "ZRH", {47.40, 8.70}, 330.0, 240.0, 11000.0, 4000, 14000},
        {0x4010E1, "EZY404", "A320", "G-EZWA", "LGW", "ZRH", {47.55, 8.75}, 250.0, 230.0, 8000.0, 4000, 64000},
    };
}

// What the run saw of one aircraft in the stand-in.
struct Sighting {
    json object;                                          // the latest state of the object
    std::vector<std::pair<std::int64_t, Position>> track;  // ms after the peer's start
    std::vector<double> altitudesFt;
    std::int64_t removedAtMs = -1;
    std::string removalReason;
};

class LiveTrafficRun {
public:
    LiveTrafficRun(ProgramHost& host, const fs::path& root, const fs::path& builtInput)
        : host_(host), root_(root) {
        prepareProgramFolder(builtInput);
        prepareUserFolders();
    }

    void playAndCheck();

private:
    fs::path program() const { return root_ / "program"; }
    // The simulator's installation: its add-on and official packages.
    fs::path packages() const { return root_ / "user" / "MSFS" / "Packages"; }
    fs::path productFolder() const { return host_.roamingFolder() / "Vantrel"; }

    std::vector<std::string> log() const {
        std::ifstream file(program() / "Log.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) {
            if (line.ends_with('\r')) {
                line.pop_back();
            }
            lines.push_back(line);
        }
        return lines;
    }
    bool logged(const std::string& part) const {
        const std::vector<std::string> lines = log();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(part) != line.npos; });
    }
    bool waitForLog(const std::string& part, std::chrono::seconds timeout) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!logged(part)) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(100ms);
        }
        return true;
    }

    // Samples the stand-in's objects until `done` holds or the time is up.
    void watch(std::map<std::string, Sighting>& seen, std::chrono::steady_clock::time_point peerStart,
               const std::function<bool(std::int64_t)>& done, std::int64_t untilMs) {
        for (;;) {
            const std::int64_t nowMs =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - peerStart).count();
            const json state = sim_.state();
            for (const json& object : state.at("objects")) {
                if (object.at("user").get<bool>()) {
                    continue;
                }
                Sighting& sighting = seen[object.at("atcId").get<std::string>()];
                sighting.object = object;
                sighting.track.emplace_back(nowMs, Position{object.at("latitudeDeg"), object.at("longitudeDeg")});
                sighting.altitudesFt.push_back(object.at("altitudeFt"));
            }
            for (const json& removed : state.at("removed")) {
                Sighting& sighting = seen[removed.at("atcId").get<std::string>()];
                if (sighting.removedAtMs < 0) {
                    sighting.removedAtMs = nowMs;
                    sighting.removalReason = removed.at("reason");
                }
            }
            if (done(nowMs) || nowMs > untilMs) {
                return;
            }
            std::this_thread::sleep_for(500ms);
        }
    }

    // The settings were written as the program closed, whole, with what
    // the user set and where the program runs; the log ends with the
    // closing and, last, the time of the program's end.
    void checkCleanClose(fs::file_time_type closeRequested) const {
        const fs::path parameters = productFolder() / "parameters.xml";
        EXPECT_GE(fs::last_write_time(parameters), closeRequested);
        const std::string settings = test::readBytes(parameters);
        for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
                 {"MSFS_INSTALL_PATH", host_.programPath(packages())},
                 {"SCAN_AIRPORTS", "false"},
                 {"PROGRAM_INSTALL_PATH", host_.programPath(program())},
                 {"DESTINATION", ""}}) {
            EXPECT_THAT(settings, HasSubstr("name=\"" + name + "\" value=\"" + value + "\"")) << name;
        }
        EXPECT_THAT(settings, HasSubstr("name=\"MAIN_WINDOW_X\""));
        EXPECT_THAT(settings, testing::EndsWith("</parameters>\n"));

        std::vector<std::string> lines = log();
        std::erase(lines, "");
        ASSERT_FALSE(lines.empty());
        EXPECT_THAT(lines, Contains(HasSubstr("Exiting: USER CLOSED SIM")));
        EXPECT_THAT(lines, Contains("SimConnect closed ok"));
        // "Fri Dec 11 03:04:06 2026"
        EXPECT_THAT(lines.back(), testing::MatchesRegex("[A-Z][a-z][a-z] [A-Z][a-z][a-z] [0-9][0-9] "
                                                        "[0-9][0-9]:[0-9][0-9]:[0-9][0-9] [0-9][0-9][0-9][0-9]"));
    }

    void prepareProgramFolder(const fs::path& builtInput) {
        fs::create_directories(program() / "input");
        fs::copy(fs::path(VANTREL_SOURCE_DIR) / "docs", program() / "docs");
        for (const char* name : {"dbase.enc", "AIG-regcodes.enc", "airports_msfs.xml", "airports_msfs_names.xml"}) {
            fs::copy_file(builtInput / name, program() / "input" / name);
        }
        sim_.writeSimConnectCfg(program());
    }
    void prepareUserFolders() {
        const fs::path roaming = host_.roamingFolder();
        fs::create_directories(packages() / "Official");
        fs::copy(kDemo / "Community", packages() / "Community", fs::copy_options::recursive);
        fs::create_directories(roaming / "Vantrel");
        test::writeBytes(roaming / "Vantrel" / "parameters.xml",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<parameters>\n"
                         "  <parameter name=\"MSFS_INSTALL_PATH\" value=\"" + host_.programPath(packages()) + "\"/>\n"
                         "  <parameter name=\"SCAN_AIRPORTS\" value=\"false\"/>\n</parameters>\n");
        // RealTraffic runs on this PC: Vantrel listens for it.
        fs::create_directories(roaming / "InsideSystems");
        test::writeBytes(roaming / "InsideSystems" / "RealTraffic.jar", "jar");
    }

    ProgramHost& host_;
    fs::path root_;
    // Nothing listens at port 9 of this machine: no download.
    test::ScopedEnvironment downloads_{"VANTREL_DOWNLOAD_BASE", "http://127.0.0.1:9/"};
    vantrel::test::StandInSim sim_{json::parse(std::ifstream(kDemo / "simulator.json"))};
    std::unique_ptr<test::ChildProcess> vantrel_;
};

void LiveTrafficRun::playAndCheck() {
    const std::vector<Flight> flights = lf_flights();
    const json demoSimulator = json::parse(std::ifstream(kDemo / "simulator.json"));
    const std::set<std::string> titles = demoSimulator.at("titles");

    vantrel_ = host_.start(program());
    ASSERT_TRUE(waitForLog("Waiting for RealTraffic to connect", 60s));
    const auto peerStart = std::chrono::steady_clock::now();
    test::RtPeer peer(peerScenario(flights, std::time(nullptr)), {.linkPort = kLinkPort});

    // KLM303's reports end first: its last one is played 44 s after the
    // peer's start, and Vantrel flies it on for 64 s more. The program is
    // closed while the others still fly.
    constexpr std::int64_t kFlownOnMs = kExtensionPoints * kExtensionIntervalMs;
    std::map<std::string, Sighting> seen;
    watch(
        seen, peerStart, [&](std::int64_t) { return seen["KLM303"].removedAtMs >= 0; },
        14000 + kPlaybackDelayMs + kFlownOnMs + 15000);
    // The aircraft still flying have their flight plans in the user's
    // folder, named by their object IDs.
    for (const Flight& flight : flights) {
        const Sighting& sighting = seen[flight.callsign];
        if (sighting.removedAtMs < 0 && !sighting.object.is_null()) {
            const std::string name = std::to_string(sighting.object.at("id").get<std::uint32_t>()) + ".pln";
            EXPECT_THAT(test::readBytes(productFolder() / "orig_dest" / name),
                        HasSubstr("<DepartureID>" + flight.origin + "</DepartureID>\r\n<DestinationID>" +
                                  flight.destination + "</DestinationID>"))
                << flight.callsign;
        }
    }
    const std::int64_t closedAtMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - peerStart).count();
    const fs::file_time_type closeRequested = fs::file_time_type::clock::now();
    EXPECT_EQ(host_.close(*vantrel_, 30s), std::optional<int>{0});
    watch(seen, peerStart, [](std::int64_t) { return true; }, 0);

    for (const Flight& flight : flights) {
        SCOPED_TRACE(flight.callsign);
        ASSERT_TRUE(seen.contains(flight.callsign));
        const Sighting& sighting = seen.at(flight.callsign);
        ASSERT_FALSE(sighting.object.is_null());
        // Created under its callsign in an installed livery, and lit.
        EXPECT_THAT(titles, Contains(sighting.object.at("title").get<std::string>()));
        std::vector<std::pair<std::string, std::uint32_t>> events;
        for (const json& event : sighting.object.at("events")) {
            events.emplace_back(event.at("name"), event.at("data"));
        }
        for (const auto& wanted : std::vector<std::pair<std::string, std::uint32_t>>{
                 {"ENGINE_AUTO_START", 0}, {"NAV_LIGHTS_SET", 1}, {"BEACON_LIGHTS_SET", 1}, {"STROBES_SET", 1},
                 {"LANDING_LIGHTS_SET", flight.altFt <= 10000.0 ? 1U : 0U}}) {
            EXPECT_THAT(events, Contains(wanted));
        }
        EXPECT_EQ(std::count(events.begin(), events.end(), std::pair<std::string, std::uint32_t>{"ALL_LIGHTS_TOGGLE", 0}), 2);
        if (host_.simulatorOpensProgramFiles()) {
            EXPECT_THAT(sighting.object.at("flightPlan").at("path").get<std::string>(), HasSubstr("orig_dest"));
        }

        // Along its reported legs and on along its track after them, about
        // 30 s behind the reports, at its reported altitude.
        const std::vector<Position> legs = flight.flownPositions();
        ASSERT_GE(sighting.track.size(), 10U);
        for (const auto& [ms, position] : sighting.track) {
            EXPECT_LT(distanceToLegsNm(position, legs), 0.2) << "at " << ms << " ms";
            EXPECT_LT(distanceNm(position, flight.flownPositionAt(ms - kPlaybackDelayMs)), 1.5) << "at " << ms << " ms";
        }
        EXPECT_GT(distanceNm(sighting.track.front().second, sighting.track.back().second), 1.0);
        for (const double altFt : sighting.altitudesFt) {
            EXPECT_NEAR(altFt, flight.altFt, 50.0);
        }
    }

    // The aircraft whose reports ended flew on past its last reported
    // position and left when its last made point was reached; the others
    // went with the program.
    const Sighting& stopped = seen.at("KLM303");
    const Flight& klm = flights[2];
    EXPECT_EQ(stopped.removalReason, "removed");
    EXPECT_GT(stopped.removedAtMs, klm.lastReportMs + kPlaybackDelayMs + kFlownOnMs - 5000);
    EXPECT_GT(distanceNm(stopped.track.back().second, klm.reportedPositionAt(klm.lastReportMs)), 2.5);
    EXPECT_LE(stopped.removedAtMs, closedAtMs);
    for (const char* callsign : {"SWR101", "DLH202", "EZY404"}) {
        EXPECT_GE(seen.at(callsign).removedAtMs, closedAtMs) << callsign;
    }
    const json after = sim_.state();
    EXPECT_TRUE(std::all_of(after.at("objects").begin(), after.at("objects").end(),
                            [](const json& object) { return object.at("user").get<bool>(); }))
        << after.at("objects").dump();
    EXPECT_FALSE(fs::exists(productFolder() / "orig_dest"));

    // RealTraffic was greeted, told where the user is, and told goodbye.
    EXPECT_EQ(peer.waitForExit(10s), 0);
    const std::vector<std::string> received = peer.receivedLines();
    EXPECT_TRUE(std::any_of(received.begin(), received.end(), [](const std::string& line) { return line.starts_with("Qs999="); }));
    EXPECT_GE(std::count_if(received.begin(), received.end(), [](const std::string& line) { return line.starts_with("Qs121="); }), 10);
    EXPECT_THAT(received, Contains("exit"));

    checkCleanClose(closeRequested);
    // A simulator that cannot open the program's files refuses each flight
    // plan with an exception, which the program logs; any other exception
    // is a fault.
    const std::string refusedPlan = "SimConnect exception: load flight plan failed";
    bool planRefused = false;
    for (const std::string& line : log()) {
        if (!host_.simulatorOpensProgramFiles() && line.find(refusedPlan) != line.npos) {
            planRefused = true;
            continue;
        }
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_EQ(lower.find("exception"), std::string::npos) << line;
    }
    EXPECT_EQ(planRefused, !host_.simulatorOpensProgramFiles());
}

}  // namespace

void checkLiveTraffic(ProgramHost& host, const fs::path& root, const fs::path& builtInput) {
    LiveTrafficRun(host, root, builtInput).playAndCheck();
}

}  // namespace e2e
