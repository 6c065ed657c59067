#include "traffic/support/traffic_fixture.h"

#include <algorithm>
#include <fstream>
#include <mutex>

#include "core/core_state.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "liveries/dbase_file.h"
#include "liveries/liveries_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/regcode_merge.h"
#include "liveries/similar_models.h"
#include "records/clock.h"
#include "simlink/sim_commands.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "traffic/intake/adding_stack.h"
#include "traffic/intake/report_intake.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/manager/tick_driver.h"
#include "traffic/manager/traffic_reset.h"
#include "traffic/traffic_state.h"
#include "ui/status/message_line.h"

namespace test {

const std::string_view kTrafficDbase = R"(<?xml version="1.0" encoding="UTF-8"?>
<aircrafts>
  <aircraft types="A320,A321,B738,B763,B77W,C172,C25C,EC35,F16"/>
</aircrafts>
<high_performance><hpf types="F16"/></high_performance>
<heavy><hvy types="B763,B77W"/></heavy>
<large><lar types="A320,A321,B738"/></large>
<buzjet><bzj types="C25C"/></buzjet>
<rotorcraft><rot types="EC35"/></rotorcraft>
<cargo_types><cargo_type types="B763"/></cargo_types>
<similar_types><similar types="A320,A321"/></similar_types>
<ICAO_airlines><ICAO codes="KLM,KLC,DLH,FDX,BAW,ADA"/></ICAO_airlines>
<cargo_operators><ICAO codes="FDX"/></cargo_operators>
<publishers><pub names="FlyTampa"/></publishers>
<wingspans>
  <wingspan type="A320" meters="34.10"/>
  <wingspan type="B738" meters="35.80"/>
  <wingspan type="B77W" meters="64.80"/>
  <wingspan type="C172" meters="11.00"/>
  <wingspan type="C25C" meters="15.49"/>
  <wingspan type="EC35" meters="10.20"/>
</wingspans>
<fixes><fx wro="A32N" cor="A320"/></fixes>
<simaddons20><simaddon20 arpts="EHAM"/></simaddons20>
<thirdparties20><thirdpartie20 pub="FlyTampa" arpts="EHAM212"/></thirdparties20>
<thirdparties24><thirdpartie24 pub="FlyTampa" arpts="EHAM212"/></thirdparties24>
<dbase>
  <db reg="PH-BXA" airl="KLM" type="B738"/>
  <db reg="PH-EXA" airl="KLM" type="A320" opr="KLC"/>
  <db reg="PH-BVA" airl="KLM" type="B77W"/>
  <db reg="N101FE" airl="FDX" type="B763" cargo="true"/>
  <db reg="D-HADA" airl="ADA" type="EC35"/>
</dbase>
)";

ReportBlock makeBlock(const BlockSpec& spec) {
    ReportBlock block;
    block.latDeg = spec.latDeg;
    block.lonDeg = spec.lonDeg;
    block.altFt = spec.altFt;
    block.groundSpeedKt = spec.groundSpeedKt;
    block.trueAirspeedKt = spec.groundSpeedKt;
    block.trackDeg = spec.trackDeg;
    block.verticalSpeedFpm = spec.verticalSpeedFpm;
    block.playbackTick = spec.tick;
    block.airborne = spec.altFt > 0.0;
    block.unmoved = spec.unmoved;
    return block;
}

LiveAcUpdate makeReport(const ReportSpec& spec) {
    LiveAcUpdate report;
    report.strings.airline = spec.airline;
    report.strings.type = spec.type;
    report.strings.origin = spec.origin;
    report.strings.destination = spec.destination;
    report.strings.callsign = spec.callsign;
    report.strings.registration = spec.registration;
    report.block = makeBlock({.latDeg = spec.latDeg,
                              .lonDeg = spec.lonDeg,
                              .tick = spec.playbackTick,
                              .altFt = spec.altFt,
                              .groundSpeedKt = spec.groundSpeedKt,
                              .trackDeg = spec.trackDeg});
    report.block.verticalSpeedFpm = spec.verticalSpeedFpm;
    report.feedTimestampS = spec.feedTimeS;
    report.aircraftId = spec.id;
    return report;
}

LiveAcStrings makeStrings(std::string airline, std::string type, std::string callsign, std::string registration) {
    LiveAcStrings strings;
    strings.airline = std::move(airline);
    strings.type = std::move(type);
    strings.firstCallsign = callsign.ends_with('*') ? callsign.substr(0, callsign.size() - 1) : callsign;
    strings.callsign = std::move(callsign);
    strings.registration = std::move(registration);
    return strings;
}

void resetTrafficState() {
    gf_clearAllAircraft();
    tickCounter = 0;
    runUserAcData = {};
    coupledCheckQueue.clear();
    uncreatableKinds.clear();
    gf_resetLiveriesState();
    {
        const std::lock_guard lock(simQueueMutex);
        simCreateQueue.clear();
        simEventQueue.clear();
        simRemoveQueue.clear();
        positionBuffers.clearUnlocked();
        userAcData = {};
    }
    userOnGround = false;
    simFrameRate = 0.0F;
    simRequestError = false;
    runStopRequested = false;
    userCloseRequested = false;
    closingReason = ClosingReason::NotYetSet;
    gf_clearError();
    gf_clearMessage();
}

TrafficTest::TrafficTest() {
    resetTrafficState();
    // As a run reserves it: references to records stay valid while tests add more.
    liveAircraft.reserve(512);
    RANDOM.value = false;
    const std::filesystem::path file = log.folder() / "traffic_dbase.xml";
    std::ofstream(file, std::ios::binary) << kTrafficDbase;
    gf_loadDbaseXml(file);
}

TrafficTest::~TrafficTest() { resetTrafficState(); }

void TrafficTest::tick(int count) {
    for (int step = 0; step < count; ++step) {
        lf_handleAddingStack();
    }
}

void TrafficTest::queueReport(const ReportSpec& spec) {
    const std::lock_guard lock(feedMutex);
    addingStack.push(makeReport(spec));
}

void TrafficTest::accept(const ReportSpec& spec) {
    LiveAcUpdate report = makeReport(spec);
    acceptReport(report);
}

LiveAc& TrafficTest::makeAircraft(const ReportSpec& spec, int reportCount, bool unmoved) {
    ReportSpec next = spec;
    for (int index = 0; index < reportCount; ++index) {
        accept(next);
        next.feedTimeS += 20.0;
        next.playbackTick += 100;
        if (!unmoved) {
            next.lonDeg += 0.01;
        }
    }
    LiveAc* aircraft = gf_findLiveAircraft(spec.id);
    if (aircraft == nullptr) {
        throw std::runtime_error("the aircraft was not made");
    }
    return *aircraft;
}

LiveAc& TrafficTest::makeActiveAircraft(const ReportSpec& spec, const std::vector<BlockSpec>& blocks) {
    LiveAc& aircraft = makeAircraft(spec);
    aircraft.reports.clear();
    for (const BlockSpec& block : blocks) {
        aircraft.reports.push_back(makeBlock(block));
    }
    const ReportBlock& front = aircraft.reports.front();
    aircraft.simState = SimState::Active;
    aircraft.objectId = 100;
    aircraft.onGround = !front.airborne;
    aircraft.groundPhase = front.airborne ? GroundPhase::Flying : GroundPhase::Taxi;
    aircraft.position.latitudeDeg = front.latDeg;
    aircraft.position.longitudeDeg = front.lonDeg;
    aircraft.position.altitudeFt = front.altFt;
    if (aircraft.reports.size() > 1) {
        aircraft.position.headingRad =
            gf_initialBearingRad({front.latDeg, front.lonDeg}, {aircraft.reports[1].latDeg, aircraft.reports[1].lonDeg});
    }
    return aircraft;
}

void TrafficTest::placeUser(const UserAcData& data, bool onGround) {
    {
        const std::lock_guard lock(simQueueMutex);
        userAcData = data;
    }
    runUserAcData = data;
    userOnGround = onGround;
}

void TrafficTest::buildCatalog(std::vector<LiveryData> liveries) {
    liveryList.assign(std::make_move_iterator(liveries.begin()), std::make_move_iterator(liveries.end()));
    gf_sortLiveryList();
    buildAirlineModelCatalog();
    buildPaxCargoAirlineMaps();
    checkInlineRegcodes();
    buildModelTitleMaps();
    buildSimilarModelTables();
}

std::vector<std::pair<SimEventId, std::uint32_t>> TrafficTest::takeEvents() {
    const std::lock_guard lock(simQueueMutex);
    std::vector<std::pair<SimEventId, std::uint32_t>> events;
    for (const EventCmd& event : simEventQueue) {
        events.emplace_back(event.eventId, event.data);
    }
    simEventQueue.clear();
    return events;
}

bool TrafficTest::logged(std::string_view line) const {
    const std::vector<std::string> lines = logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace test
