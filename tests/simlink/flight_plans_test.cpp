// Flight-plan files: their exact bytes, the flight type by category, escaped
// route codes, failures that leave no file, and the folder's life.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>
#include <sys/resource.h>

#include "core/data_paths.h"
#include "simlink/flight_plans.h"
#include "simlink/simlink_state.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "ui/status/main_window.h"

namespace {

FlightPlanRoute lf_route(AircraftCategory category, std::string_view origin, std::string_view destination) {
    return {category, origin, destination};
}

std::string lf_planText(std::string_view flightType, std::string_view origin, std::string_view destination) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                       "<SimBase.Document Type=\"AceXML\" version=\"4,3\">\"\r\n"
                       "<FlightPlan.FlightPlan>\r\n<FPType>") +
           std::string(flightType) + "</FPType>\r\n<DepartureID>" + std::string(origin) +
           "</DepartureID>\r\n<DestinationID>" + std::string(destination) +
           "</DestinationID>\r\n</FlightPlan.FlightPlan>\r\n</SimBase.Document>\r\n";
}

class FlightPlans : public testing::Test {
protected:
    FlightPlans() : savedProductFolder_(productDataFolder) { productDataFolder = folder_ / "Roaming" / "Vantrel"; }
    ~FlightPlans() override {
        productDataFolder = savedProductFolder_;
        flightPlanFolder.clear();
    }

    test::LogCapture log_;
    test::TempFolder folder_;

private:
    std::filesystem::path savedProductFolder_;
};

TEST_F(FlightPlans, FileHoldsTheRouteAndTheFlightTypeOfTheCategory) {
    struct Case {
        AircraftCategory category;
        const char* flightType;
    };
    for (const Case& c : {Case{AircraftCategory::Light, "VFR"}, Case{AircraftCategory::Buzjets, "IFR"},
                          Case{AircraftCategory::Large, "IFR"}, Case{AircraftCategory::Heavy, "IFR"},
                          Case{AircraftCategory::HighPerf, "VFR"}, Case{AircraftCategory::Rotorcraft, "VFR"}}) {
        const std::filesystem::path path = folder_ / "7.pln";
        ASSERT_TRUE(gf_writeFlightPlan(path, lf_route(c.category, "EDDF", "KJFK")));
        EXPECT_EQ(test::readBytes(path), lf_planText(c.flightType, "EDDF", "KJFK"));
    }
}

TEST_F(FlightPlans, SecondPlanReplacesTheFirstAndRouteCodesAreEscaped) {
    const std::filesystem::path path = folder_ / "12.pln";
    ASSERT_TRUE(gf_writeFlightPlan(path, lf_route(AircraftCategory::Heavy, "A LONGER ORIGIN CODE", "KJFK")));
    ASSERT_TRUE(gf_writeFlightPlan(path, lf_route(AircraftCategory::Large, "<EG&LL>", "\"K'SFO\"")));
    EXPECT_EQ(test::readBytes(path), lf_planText("IFR", "&lt;EG&amp;LL&gt;", "&quot;K&apos;SFO&quot;"));
}

TEST_F(FlightPlans, FailedWriteReportsFailureAndLeavesNoFile) {
    EXPECT_FALSE(gf_writeFlightPlan(folder_ / "missing" / "1.pln", lf_route(AircraftCategory::Light, "A", "B")));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));

    // A disk that fills up after the open: files may not grow beyond 64 bytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = gf_writeFlightPlan(folder_ / "2.pln", lf_route(AircraftCategory::Light, "EDDF", "KJFK"));
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(written);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "2.pln"));
}

// An application-data folder that cannot take the flight-plan folder (read
// only, full, or a file in its place) is told to the user, naming the
// folder; nothing is thrown, so the run goes on.
TEST_F(FlightPlans, AFolderThatCannotBeMadeIsShownAndTheRunGoesOn) {
    std::filesystem::create_directories(productDataFolder.parent_path());
    test::writeBytes(productDataFolder, "");
    bool made = true;
    EXPECT_NO_THROW(made = gf_makeFlightPlanFolder());
    EXPECT_FALSE(made);
    const std::string shown = "Cannot create the folder '" + (productDataFolder / "orig_dest").string() +
                              "': Not a directory; no flight plans are written";
    EXPECT_EQ(log_.lines(), std::vector<std::string>{shown});
    const std::lock_guard lock(MainWindow::messageMutex);
    EXPECT_EQ(MainWindow::messageText, shown);
    MainWindow::messageText.clear();
}

TEST_F(FlightPlans, FolderIsMadeBelowTheApplicationDataAndRemovedWithItsFiles) {
    EXPECT_EQ(gf_flightPlanFileName(7), std::filesystem::path("7.pln"));
    ASSERT_TRUE(gf_makeFlightPlanFolder());
    EXPECT_EQ(flightPlanFolder, productDataFolder / "orig_dest");
    EXPECT_TRUE(std::filesystem::is_directory(flightPlanFolder));
    ASSERT_TRUE(gf_writeFlightPlan(flightPlanFolder / gf_flightPlanFileName(7),
                                   lf_route(AircraftCategory::Heavy, "EDDF", "KJFK")));
    EXPECT_TRUE(gf_makeFlightPlanFolder()) << "an existing folder is kept";
    EXPECT_TRUE(std::filesystem::exists(flightPlanFolder / "7.pln"));

    EXPECT_TRUE(gf_removeFlightPlanFolder());
    EXPECT_FALSE(std::filesystem::exists(flightPlanFolder));
    EXPECT_TRUE(std::filesystem::exists(productDataFolder));
    EXPECT_TRUE(gf_removeFlightPlanFolder()) << "a missing folder is no error";
    EXPECT_TRUE(log_.lines().empty());
}

}  // namespace
