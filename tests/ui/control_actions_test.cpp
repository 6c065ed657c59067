// What the controls do when the user works them: settings stored and saved,
// answers in the message line, requests to the worker, restarts for new
// settings.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "airports/airport_list.h"
#include "airports/learned_airport_file.h"
#include "airports/airports_state.h"
#include "core/core_state.h"
#include "core/data_paths.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/text_conversion.h"
#include "platform/window/inspect.h"
#include "platform/window/user_input.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "ui/destination.h"
#include "ui/radius.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/parameter_controls.h"
#include "ui/status/window_updates.h"
#include "ui/support/main_window_fixture.h"

namespace fs = std::filesystem;

namespace {

using platform::window::inspectWindow;
using testing::Contains;

class ControlActions : public test::MainWindowTest {
protected:
    static void click(const ControlBinding& control) {
        EXPECT_TRUE(platform::window::clickControl(control.window));
        pumpPending();
    }
    // Clicks the check box so that its setting becomes on.
    static void switchTo(BoolControlParameter& setting, bool on) {
        setting.value = !on;
        gf_setCheckBox(setting);
        click(setting);
        EXPECT_EQ(setting.value, on) << setting.name;
    }
    static void pick(const ControlBinding& comboBox, const std::u16string& item) {
        const auto items = inspectWindow(comboBox.window)->items;
        const auto found = std::find(items.begin(), items.end(), item);
        ASSERT_NE(found, items.end());
        EXPECT_TRUE(platform::window::pickComboItem(comboBox.window, static_cast<int>(found - items.begin())));
        pumpPending();
    }
    static void enter(const ControlBinding& editBox, std::u16string_view text) {
        gf_enableControl(editBox, true);
        EXPECT_TRUE(platform::window::editText(editBox.window, text));
        EXPECT_TRUE(platform::window::pressEnter(editBox.window));
        pumpPending();
    }
    static bool enabled(const ControlBinding& control) { return inspectWindow(control.window)->enabled; }
    static std::u16string shown(const ControlBinding& control) { return inspectWindow(control.window)->text; }
    static bool restartAsked(std::int32_t delaySec) {
        return runStopRequested && closingReason == ClosingReason::NewSettings && restartDelaySec == delaySec;
    }
};

// The airport list holds these airports while the test runs.
class AirportListScope {
public:
    explicit AirportListScope(std::vector<AirportRecord> airports) : saved_(std::move(airportList)) {
        airportList = std::move(airports);
        airportsRead = true;
    }
    ~AirportListScope() {
        airportList = std::move(saved_);
        airportsRead = false;
    }
    AirportListScope(const AirportListScope&) = delete;
    AirportListScope& operator=(const AirportListScope&) = delete;

private:
    std::vector<AirportRecord> saved_;
};

TEST_F(ControlActions, ACheckBoxIsToggledByItsHandlerAndSaved) {
    for (BoolControlParameter* setting : {&LOG, &WEEK, &ALWAYS_ON_TOP}) {
        const bool before = setting->value;
        click(*setting);
        EXPECT_EQ(setting->value, !before) << setting->name;
        EXPECT_EQ(inspectWindow(setting->window)->check, before ? BST_UNCHECKED : BST_CHECKED);
        EXPECT_EQ(fileValue(setting->name), before ? "false" : "true");
        click(*setting);
        EXPECT_EQ(setting->value, before);
    }
    EXPECT_FALSE(runStopRequested);
}

TEST_F(ControlActions, SwitchesAnswerInTheMessageLine) {
    struct Row {
        BoolControlParameter* setting;
        bool on;
        std::string message;  // empty: the message line is cleared
    };
    const Row rows[] = {
        {&LIG_PRIORITIZE, true,
         "Liveries, for airl+model, in lower lfolders that are already available will be skipped"},
        {&LIG_PRIORITIZE, false, ""},
        {&COLLISION_USER_GND, false, "Be aware, no collision avoidance with user aircraft on the ground"},
        {&COLLISION_USER_GND, true, ""},
        {&COLLISION_USER_AIR, false, "Be aware, no collision avoidance with user aircraft in the air"},
        {&COLLISION_LIVE_PARKED_GND, false,
         "Be aware, no collision avoidance with live aircraft vs parked static on the ground"},
        {&SUPPRESS_STUB, true, "Exclude FSLTL-liveries titles ending with _STUB from scan"},
        {&GUID_CHANGES, false, "Be aware, no more livery updates: you miss correct data for Learn, LittleNavMap, etc!"},
        {&GUID_CHANGES, true, ""},
        {&INITIAL_LOAD_ONLY, true,
         "Initial Load Only: static parked aircraft are generated once, no renewal every 20 minutes"},
        {&ALWAYS_ON_TOP, true, "Vantrel's window will remain visible"},
        {&LIG_AUTOMATIC, false, "The liveries defined by your lfolder parameters will be scanned"},
        {&LIG_AUTOMATIC, true, ""},
        {&LOG, true, "before"},  // stored and saved only
    };
    for (const Row& row : rows) {
        gf_showMessage("before", false);
        switchTo(*row.setting, row.on);
        EXPECT_EQ(messageLine(), row.message) << row.setting->name << " " << row.on;
    }
    switchTo(AEROWINX, true);
    EXPECT_THAT(messageLine(), testing::AllOf(testing::HasSubstr("Aerowinx"), testing::HasSubstr("Vantrel")));
    EXPECT_FALSE(runStopRequested);
}

TEST_F(ControlActions, SwitchesGovernTheControlsTheyServe) {
    switchTo(ALWAYS_ON_TOP, true);
    EXPECT_TRUE(inspectWindow(MainWindow::hwnd)->topmost);
    switchTo(ALWAYS_ON_TOP, false);
    EXPECT_FALSE(inspectWindow(MainWindow::hwnd)->topmost);

    switchTo(LIG_AUTOMATIC, false);
    EXPECT_FALSE(enabled(AI_PACKAGE_SELECTOR));
    switchTo(LIG_AUTOMATIC, true);
    EXPECT_TRUE(enabled(AI_PACKAGE_SELECTOR));

    switchTo(NAV_LIGHTS_WHILE_PARKED, false);
    EXPECT_TRUE(parkedLightsRequested);  // the worker sends the lights to the parked aircraft
}

TEST_F(ControlActions, AutoRangeTakesTheRadiusAndGivesTheChosenOneBack) {
    RANGE.fillComboBox();
    pick(RANGE, u"25");
    userOnGround = true;
    switchTo(AUTO_RANGE, true);
    EXPECT_EQ(manualRadiusNm, 25);
    EXPECT_EQ(RANGE.value, 10);
    EXPECT_EQ(trafficRadiusMeters, 18520U);
    EXPECT_FALSE(enabled(RANGE));
    EXPECT_TRUE(enabled(AR_ABOVE_HEIGHT));
    EXPECT_TRUE(parkingParamsChanged);

    gf_showMessage("before", false);
    switchTo(AUTO_RANGE, false);
    EXPECT_EQ(RANGE.value, 25);
    EXPECT_EQ(trafficRadiusNm, 25.0);
    EXPECT_TRUE(enabled(RANGE));
    EXPECT_FALSE(enabled(AR_ABOVE_HEIGHT));
    EXPECT_EQ(messageLine(), "");
}

TEST_F(ControlActions, AutoRangeFollowsTheUserAircraftAndItsDestination) {
    const AirportListScope airports({{"EDDF", "FRA", 50.0, 8.0, 364.0}});
    AR_ABOVE_HEIGHT.value = 18000;
    AIRP_HEIGHT.value = 4000;
    struct Row {
        bool onGround;
        double altitudeFt;
        double destinationNm;  // below 0: no destination
        int rangeNm;
    };
    const Row rows[] = {
        {true, 30000.0, 100.0, 10}, {false, 20000.0, 1.0, 100}, {false, 5000.0, 1.0, 40},
        {false, 1000.0, -1.0, 40},  {false, 1000.0, 6.9, 10},    {false, 1000.0, 20.0, 25},
        {false, 1000.0, 30.0, 35},  {false, 1000.0, 36.0, 40},   {false, 1000.0, 37.0, 40},
        {false, 1000.0, 80.0, 40},
    };
    for (const Row& row : rows) {
        userOnGround = row.onGround;
        DESTINATION.value = row.destinationNm < 0.0 ? "" : "EDDF";
        {
            const std::lock_guard lock(simQueueMutex);
            userAcData.altitudeFt = row.altitudeFt;
            userAcData.latitudeDeg = 50.0 - std::max(row.destinationNm, 0.0) / 60.0;  // a minute of arc per nm
            userAcData.longitudeDeg = 8.0;
        }
        gf_updateAutoRange();
        EXPECT_EQ(RANGE.value, row.rangeNm) << row.altitudeFt << " ft, " << row.destinationNm << " nm";
        EXPECT_EQ(trafficRadiusMeters, static_cast<std::uint32_t>(row.rangeNm) * 1852U);
    }
    userOnGround = false;
    const std::lock_guard lock(simQueueMutex);
    userAcData = UserAcData{};
}

TEST_F(ControlActions, ParkingSettingsAskForARecalculationWhileAParkAirportIsActive) {
    gf_showMessage("before", false);
    switchTo(WEEK, true);
    EXPECT_EQ(messageLine(), "before");  // no park airport
    EXPECT_FALSE(parkingRenewalRequested);

    parkingActive = true;
    const std::pair<std::uint32_t, std::string> delays[] = {
        {20, "Vantrel will respond in 10 seconds ..."},
        {29, "Vantrel will respond in 1 second ..."},
        {30, "Vantrel will respond in 15 seconds ..."},
    };
    for (const auto& [cycle, message] : delays) {
        cycleCounter = cycle;
        click(PARK_FAKE);
        EXPECT_EQ(messageLine(), message);
    }
    EXPECT_TRUE(parkingRenewalRequested);
    EXPECT_TRUE(parkingParamsChanged);

    parkingRenewalRequested = false;
    switchTo(INITIAL_LOAD_ONLY, true);
    click(PARK_SOFT);
    EXPECT_EQ(messageLine(), "");
    EXPECT_FALSE(parkingRenewalRequested);  // loaded once, never renewed
    cycleCounter = 0;
}

TEST_F(ControlActions, AScanSwitchedOnBeforeRealTrafficConnectedRestartsTheRun) {
    switchTo(SCAN_LIVERIES, false);
    EXPECT_FALSE(runStopRequested);
    switchTo(SCAN_LIVERIES, true);
    EXPECT_TRUE(restartAsked(2));
    EXPECT_EQ(messageLine(), "Your liveries will be scanned");
    EXPECT_THAT(log.lines(), Contains("Your liveries will be scanned"));

    test::resetMainWindowState();
    beforeFirstConnection = false;
    switchTo(SCAN_AIRPORTS, true);
    EXPECT_EQ(fileValue("SCAN_AIRPORTS"), "true");
    EXPECT_FALSE(runStopRequested);  // scanned at the next start
    EXPECT_EQ(messageLine(),
              "Your airports will be scanned at the next start of Vantrel, recommended after you have add/removed "
              "airports");
}

TEST_F(ControlActions, APendingStopKeepsItsReasonAndDelay) {
    runStopRequested = true;
    closingReason = ClosingReason::UserClosedSim;
    SIM_CHOICE.fillComboBox();
    pick(SIM_CHOICE, u"MSFS 2024");
    EXPECT_EQ(closingReason, ClosingReason::UserClosedSim);
    EXPECT_EQ(restartDelaySec, 0);
}

TEST_F(ControlActions, ButtonsPassTheirRequestToTheWorkerAndWaitForIt) {
    for (ButtonControl* button : {&unblockButton, &reReadButton, &flushStaticButton}) {
        EnableWindow(button->window, TRUE);
    }
    gf_enableControl(DESTINATION, true);
    click(flushStaticButton);
    EXPECT_TRUE(flushStaticRequested);
    EXPECT_FALSE(enabled(flushStaticButton));
    EXPECT_EQ(messageLine(), "All static parked aircraft will be removed ...");

    click(reReadButton);
    EXPECT_TRUE(reReadRequested);
    EXPECT_FALSE(enabled(reReadButton));
    EXPECT_FALSE(enabled(DESTINATION));

    click(unblockButton);
    EXPECT_EQ(messageLine(), "Nothing to block or unblock...");
    EXPECT_FALSE(blockCallsignRequested);

    BLOCK_CALLSIGN.value = "DLH4AB";
    click(unblockButton);
    EXPECT_TRUE(blockCallsignRequested);
    EXPECT_EQ(BLOCK_CALLSIGN.value.load(), "");
    EXPECT_EQ(fileValue("BLOCK_CALLSIGN"), "");
    EXPECT_FALSE(enabled(unblockButton));
    EXPECT_EQ(messageLine(), "no more blocking of live aircraft 'DLH4AB'");
}

TEST_F(ControlActions, APickInAComboBoxBecomesTheSavedValue) {
    RANGE.fillComboBox();
    pick(RANGE, u"80");
    EXPECT_EQ(RANGE.value, 80);
    EXPECT_EQ(fileValue("RANGE"), "80");
    EXPECT_EQ(trafficRadiusMeters, 148160U);

    AI_PACKAGE_SELECTOR.fillComboBox();
    const std::u16string second = inspectWindow(AI_PACKAGE_SELECTOR.window)->items.at(1);
    pick(AI_PACKAGE_SELECTOR, second);
    EXPECT_EQ(gf_utf8ToUtf16(AI_PACKAGE_SELECTOR.value), second);
    EXPECT_FALSE(runStopRequested);
}

TEST_F(ControlActions, TheLiveLimitIsTheUsersOwnUnlessAParkAirportIsActive) {
    MAX_LIVE_SEL.fillComboBox();
    const std::uint32_t startValue = userMaxLiveSel;
    pick(MAX_LIVE_SEL, u"50");
    EXPECT_EQ(MAX_LIVE_SEL.value, 50);
    EXPECT_EQ(userMaxLiveSel, 50U);
    EXPECT_TRUE(liveTrimRequested);  // the worker trims the live aircraft to it

    parkingActive = true;
    pick(MAX_LIVE_SEL, u"25");
    EXPECT_EQ(MAX_LIVE_SEL.value, 25);
    EXPECT_EQ(userMaxLiveSel, 50U);  // restored when the park airport is left
    EXPECT_TRUE(parkingParamsChanged);

    MAX_PARK_SEL.fillComboBox();
    cycleCounter = 5;
    pick(MAX_PARK_SEL, u"100");
    EXPECT_EQ(messageLine(), "Vantrel will respond in 10 seconds ...");
    cycleCounter = 0;
    userMaxLiveSel = startValue;
}

TEST_F(ControlActions, AnotherSimulatorScansAgainAndRestartsTheRunTheSameOneDoesNot) {
    fs::create_directories(dataPaths.outputFolder);
    std::ofstream(dataPaths.liveriesCatalogFile) << "<liveries/>";
    VAVOVEVIDE24_VERSION.setValueAndSave("3");
    ALL_INSTALL_PATH.value = "/games/MSFS/Packages";
    SIM_CHOICE.fillComboBox();
    pick(SIM_CHOICE, u"MSFS 2020");
    EXPECT_FALSE(runStopRequested);
    EXPECT_TRUE(fs::exists(dataPaths.liveriesCatalogFile));

    switchTo(SCAN_LIVERIES, false);
    switchTo(SCAN_AIRPORTS, false);
    pick(SIM_CHOICE, u"MSFS 2024");
    EXPECT_EQ(fileValue("SIM_CHOICE"), "MSFS 2024");
    EXPECT_FALSE(msfs2020Selected);
    EXPECT_FALSE(fs::exists(dataPaths.liveriesCatalogFile));
    for (BoolControlParameter* scan : {&SCAN_LIVERIES, &SCAN_AIRPORTS}) {
        EXPECT_TRUE(scan->value);
        EXPECT_EQ(fileValue(scan->name), "true");
        EXPECT_EQ(inspectWindow(scan->window)->check, BST_CHECKED);
    }
    EXPECT_EQ(ALL_INSTALL_PATH.value.load(), "");
    EXPECT_EQ(shown(ALL_INSTALL_PATH), u"");
    EXPECT_EQ(fileValue("VAVOVEVIDE24_VERSION"), "");
    EXPECT_EQ(messageLine(), "Switching Simulator to MSFS 2024");
    EXPECT_TRUE(restartAsked(3));
}

TEST_F(ControlActions, AnEntryThatIsNoTextIsLoggedAndLeftUnhandled) {
    SendMessageW(SIM_CHOICE.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"MSFS \xD800"));
    EXPECT_TRUE(platform::window::pickComboItem(SIM_CHOICE.window, 0));
    pumpPending();
    EXPECT_EQ(SIM_CHOICE.value.load(), "MSFS 2020");
    EXPECT_FALSE(runStopRequested);
    EXPECT_THAT(log.lines(), Contains(testing::StartsWith("lf_HandleWMCOMMAND exception ")));
}

TEST_F(ControlActions, ACallsignIsBlockedInUpperCaseWhenItIsValid) {
    struct Row {
        std::u16string typed;
        std::string blocked;
        std::string saved;
        std::string message;
    };
    const Row rows[] = {
        {u"abc", "", "<absent>", "callsign 'abc' is not valid"},
        {u"dlh4abcd", "DLH4ABCD", "DLH4ABCD", "live aircraft with callsign 'DLH4ABCD' will be blocked"},
        {u"DLH4ABCD", "DLH4ABCD", "DLH4ABCD", "callsign 'DLH4ABCD' was already set ..."},
        {u"dlh4abcde", "DLH4ABCD", "DLH4ABCD", "callsign 'dlh4abcde' is not valid"},
        {u"", "", "", "no more blocking of live aircraft 'DLH4ABCD'"},
        {u"", "", "", ""},
    };
    writeEntries({});
    for (const Row& row : rows) {
        enter(BLOCK_CALLSIGN, row.typed);
        EXPECT_EQ(BLOCK_CALLSIGN.value.load(), row.blocked) << gf_utf16ToUtf8(row.typed);
        EXPECT_EQ(fileValue("BLOCK_CALLSIGN"), row.saved) << gf_utf16ToUtf8(row.typed);
        EXPECT_EQ(messageLine(), row.message);
    }
    enter(BLOCK_CALLSIGN, u"baw12");
    EXPECT_EQ(shown(BLOCK_CALLSIGN), u"BAW12");
    EXPECT_TRUE(blockCallsignRequested);
    EXPECT_TRUE(enabled(unblockButton));
}

TEST_F(ControlActions, EnterInTheObjectIdBoxAsksTheWorker) {
    writeEntries({});
    enter(CALLSIGN_2_OBJECTID, u"");
    EXPECT_FALSE(objectIdLookupRequested);  // nothing asked, nothing to forget

    enter(CALLSIGN_2_OBJECTID, u"baw12");
    EXPECT_EQ(CALLSIGN_2_OBJECTID.value.load(), "BAW12");
    EXPECT_EQ(shown(CALLSIGN_2_OBJECTID), u"BAW12");
    EXPECT_TRUE(objectIdLookupRequested);
    EXPECT_EQ(fileValue("CALLSIGN_2_OBJECTID"), "<absent>");  // never kept in the file

    objectIdLookupRequested = false;
    enter(CALLSIGN_2_OBJECTID, u"");
    EXPECT_EQ(CALLSIGN_2_OBJECTID.value.load(), "");
    EXPECT_TRUE(objectIdLookupRequested);
}

TEST_F(ControlActions, APackagesPathIsKeptOnlyWhenItLeadsToCommunity) {
    writeEntries({});
    const fs::path packages = fs::current_path() / "sim" / "Packages";
    fs::create_directories(packages / "Community");
    gf_showError("No install path detected");
    enter(ALL_INSTALL_PATH, u"");
    EXPECT_EQ(messageLine(), "");  // the error is gone
    EXPECT_FALSE(runStopRequested);

    const std::string missing = (packages / "missing").string();
    const std::pair<std::string, std::string> refused[] = {
        {missing, "This install path does not exist: " + missing},
        {(packages / "..").string(), "This path exists but is not a path to Community ..."},
    };
    for (const auto& [typed, message] : refused) {
        enter(ALL_INSTALL_PATH, gf_utf8ToUtf16(typed));
        EXPECT_EQ(messageLine(), message);
        EXPECT_THAT(log.lines(), Contains(message));
    }
    EXPECT_EQ(fileValue("MSFS_2024_INSTALL_PATH"), "<absent>");
    EXPECT_FALSE(runStopRequested);

    for (const fs::path& typed : {packages / "Community", packages / "Community" / "", packages}) {
        test::resetMainWindowState();
        enter(ALL_INSTALL_PATH, gf_utf8ToUtf16(typed.string()));
        EXPECT_EQ(fileValue("MSFS_2024_INSTALL_PATH"), packages.string()) << typed;
        EXPECT_EQ(messageLine(), "Community path found, Vantrel will restart ...");
        EXPECT_TRUE(restartAsked(3));
    }
    msfs2020Selected = true;
    enter(ALL_INSTALL_PATH, gf_utf8ToUtf16(packages.string()));
    EXPECT_EQ(fileValue("MSFS_INSTALL_PATH"), packages.string());
}

TEST_F(ControlActions, ADestinationMustBeAKnownAirport) {
    const AirportListScope airports({{"EDDF", "FRA", 50.0333, 8.5706, 364.0}, {"EHAM", "AMS", 52.3, 4.76, -11.0}});
    gf_enableControl(reReadButton, true);
    struct Row {
        std::u16string typed;
        std::string destination;
        std::string message;
    };
    const Row rows[] = {
        {u"edd", "", "destination 'edd' is not valid"},
        {u"kjfk", "", "destination 'KJFK' is unknown ..."},
        {u"eddf", "EDDF", "New destination: EDDF"},
        {u"EDDF", "EDDF", "destination 'EDDF' was already set ..."},
        {u"", "", "destination set to empty"},
    };
    for (const Row& row : rows) {
        enter(DESTINATION, row.typed);
        EXPECT_EQ(DESTINATION.value.load(), row.destination) << gf_utf16ToUtf8(row.typed);
        EXPECT_EQ(messageLine(), row.message);
    }
    EXPECT_EQ(fileValue("DESTINATION"), "");
    EXPECT_TRUE(enabled(reReadButton));
    EXPECT_THAT(log.lines(), testing::IsSupersetOf({"New destination: EDDF", "destination set to empty"}));
}

TEST_F(ControlActions, ADestinationIsSavedShownAndAnnounced) {
    gf_enableControl(reReadButton, true);
    gf_setDestination("EDDF", {50.0333, 8.5706});
    EXPECT_EQ(fileValue("DESTINATION"), "EDDF");
    EXPECT_EQ(shown(DESTINATION), u"EDDF");
    EXPECT_EQ(messageLine(), "New destination: EDDF");
    EXPECT_THAT(log.lines(), Contains("New destination: EDDF"));
    EXPECT_FALSE(enabled(reReadButton));
}

TEST_F(ControlActions, TheParkingTargetIsAPercentageForThisRun) {
    writeEntries({});
    struct Row {
        std::u16string typed;
        std::int32_t percentage;
        std::string message;
    };
    const Row rows[] = {
        {u"", 0, "The new parking_percentage is 0"},
        {u"45", 45, "The new parking_percentage is 45"},
        {u"45", 45, "Same parking_percentage value 45, no changes made"},
        {u"lots", 45, "invalid input: lots"},
        {u"99999999999", 45, "invalid input: 99999999999"},
        {u"150", 100, "The new parking_percentage is 100"},
    };
    for (const Row& row : rows) {
        enter(parking_percentage, row.typed);
        EXPECT_EQ(parking_percentage.value, row.percentage) << gf_utf16ToUtf8(row.typed);
        EXPECT_EQ(messageLine(), row.message);
    }
    EXPECT_EQ(fileValue("parking_percentage"), "<absent>");
    EXPECT_THAT(log.lines(), Contains(testing::StartsWith("lf_processTbInt: ")));
}

TEST_F(ControlActions, ANewParkingTargetAtAParkAirportIsRecalculatedAndKeptWithTheAirport) {
    parkingActive = true;
    cycleCounter = 0;
    struct Row {
        std::u16string typed;
        bool recalculated;
        std::string message;
    };
    const Row rows[] = {
        {u"45", true, "Vantrel will respond in 15 seconds ..."},
        {u"45", false, "Same parking_percentage value 45, no changes made"},
        {u"many", false, "invalid input: many"},
        {u"", true, "Vantrel will respond in 15 seconds ..."},
    };
    for (const Row& row : rows) {
        parkingRenewalRequested = false;
        parkingParamsChanged = false;
        enter(parking_percentage, row.typed);
        EXPECT_EQ(parkingRenewalRequested, row.recalculated) << gf_utf16ToUtf8(row.typed);
        EXPECT_EQ(parkingParamsChanged, row.recalculated) << "the airport's learned file keeps it";
        EXPECT_EQ(messageLine(), row.message);
    }
    EXPECT_EQ(parking_percentage.value, 0);
}

TEST_F(ControlActions, TheLongestFitKeepsToHalfHoursWhileAParkAirportIsActive) {
    enter(MAX_FIT_FL, u"5");
    EXPECT_EQ(MAX_FIT_FL.value, 24.0F);  // no park airport

    parkingActive = true;
    struct Row {
        std::u16string typed;
        float hours;
        std::int32_t halfHours;
        std::string message;
    };
    // A change is recalculated at the next periodic work, 15 cycles on.
    const std::string respond = "Vantrel will respond in 15 seconds ...";
    const Row rows[] = {
        {u"5.2", 5.0F, 9, respond},
        {u"5", 5.0F, 9, "Same MAX_FIT_FL value 5, no changes made"},
        {u"0.3", 0.5F, 0, respond},
        {u"nan", 0.5F, 0, "invalid input: nan"},
        {u"30", 24.0F, 47, respond},
        {u"1.75", 2.0F, 3, respond},
    };
    for (const Row& row : rows) {
        enter(MAX_FIT_FL, row.typed);
        EXPECT_EQ(MAX_FIT_FL.value, row.hours) << gf_utf16ToUtf8(row.typed);
        EXPECT_EQ(MAX_FIT.value, row.halfHours);
        EXPECT_EQ(fileValue("MAX_FIT"), std::to_string(row.halfHours));
        EXPECT_EQ(messageLine(), row.message);
    }
    enter(MAX_FIT_FL, u"");
    EXPECT_EQ(MAX_FIT_FL.value, 24.0F);
    EXPECT_EQ(fileValue("MAX_FIT"), "47");
    EXPECT_EQ(shown(MAX_FIT_FL), u"24");
}

}  // namespace
