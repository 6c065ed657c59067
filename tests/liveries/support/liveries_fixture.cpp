#include "liveries/support/liveries_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/core_state.h"
#include "core/meta_block.h"
#include "core/run_flags.h"
#include "core/settings.h"
#include "core/worker_slots.h"
#include "liveries/dbase_file.h"
#include "liveries/liveries_file.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/livery_scan.h"
#include "liveries/regcode_lists.h"
#include "liveries/regcode_merge.h"
#include "liveries/similar_models.h"
#include "traffic/lifecycle/livery_bookkeeping.h"
#include "traffic/traffic_state.h"

namespace test {

const std::string_view kSmallDbase = R"(<?xml version="1.0" encoding="UTF-8"?>
<aircrafts>
  <aircraft types="A319,A320,A321,B738,B77W,B77L,B763,A388"/>
  <aircraft types="C172,C182,P28A,C25C,C56X,EC35,EC45,F16"/>
</aircrafts>
<high_performance><hpf types="F16"/></high_performance>
<heavy><hvy types="B77W,B77L,B763,A388"/></heavy>
<large><lar types="A319,A320,A321,B738"/></large>
<buzjet><bzj types="C25C,C56X"/></buzjet>
<rotorcraft><rot types="EC35,EC45"/></rotorcraft>
<cargo_types><cargo_type types="B77L,B763"/></cargo_types>
<similar_types>
  <similar types="A321,A319,A320"/>
  <similar types="C182,C172"/>
  <similar types="B77W,B77L"/>
  <similar types="EC35,EC45"/>
</similar_types>
<ICAO_airlines><ICAO codes="KLM,KLC,DLH,BAW,FDX,ZZZ"/></ICAO_airlines>
<cargo_operators><ICAO codes="FDX"/></cargo_operators>
<publishers>
  <pub names="FlyTampa"/>
  <pub names="Gaya Simulations,gaya-simulations"/>
</publishers>
<wingspans>
  <wingspan type="A320" meters="34.10"/>
  <wingspan type="A321" meters="35.80"/>
  <wingspan type="B77W" meters="64.80"/>
  <wingspan type="C172" meters="11.00"/>
  <wingspan type="C25C" meters="15.49"/>
</wingspans>
<fixes><fx wro="A32N" cor="A320"/></fixes>
<simaddons20><simaddon20 arpts="EGLL,EHAM"/></simaddons20>
<thirdparties20><thirdpartie20 pub="FlyTampa" arpts="EHAM212,KBOS118"/></thirdparties20>
<thirdparties24><thirdpartie24 pub="FlyTampa" arpts="EHAM212"/></thirdparties24>
<dbase>
  <db reg="PH-BXA" airl="KLM" type="B738"/>
  <db reg="PH-EXA" airl="KLM" type="A320" opr="KLC"/>
  <db reg="N101FE" airl="FDX" type="B763" cargo="true"/>
</dbase>
)";

namespace {

int lf_savedMaxWorkers() {
    static const int saved = maxWorkers;
    return saved;
}

void lf_resetLiveriesState() {
    gf_resetLiveriesState();
    uncreatableKinds.clear();
    maxWorkers = lf_savedMaxWorkers();
    runStopRequested = false;
    userCloseRequested = false;
    simulatorKind = "MSFS";
}

}  // namespace

LiveriesTest::LiveriesTest() {
    lf_resetLiveriesState();
    RANDOM.value = false;
}

LiveriesTest::~LiveriesTest() { lf_resetLiveriesState(); }

void LiveriesTest::writeText(const std::filesystem::path& relative, std::string_view text) const {
    const std::filesystem::path file = folder() / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string LiveriesTest::readText(const std::filesystem::path& relative) const {
    std::ifstream file(folder() / relative, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void LiveriesTest::writeEncrypted(const std::filesystem::path& relative, std::string_view text) const {
    writeText("plain.xml", text);
    std::filesystem::create_directories((folder() / relative).parent_path());
    // Double quotes, which both the POSIX shell and cmd.exe understand.
    std::string command = "\"" VANTREL_BINARY_DIR "/tools/encrypt/vantrel-encrypt\" \"" +
                          (folder() / "plain.xml").string() + "\" \"" + (folder() / relative).string() + "\"";
#ifdef _WIN32
    // cmd.exe drops the first and the last quote of a command that starts with one.
    command = "\"" + command + "\"";
#endif
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::filesystem::remove(folder() / "plain.xml");
}

void LiveriesTest::loadDbase(std::string_view xml) const {
    writeText("small_dbase.xml", xml);
    gf_loadDbaseXml(folder() / "small_dbase.xml");
}

void LiveriesTest::buildCatalog(std::vector<LiveryData> liveries) const {
    liveryList.assign(std::make_move_iterator(liveries.begin()), std::make_move_iterator(liveries.end()));
    gf_sortLiveryList();
    buildAirlineModelCatalog();
    buildPaxCargoAirlineMaps();
    checkInlineRegcodes();
    buildModelTitleMaps();
    buildSimilarModelTables();
    for (const auto& category : aircraftCategoryNames) {
        logLiveryCategories(category.id);
    }
}

bool LiveriesTest::logged(std::string_view line) const {
    const auto lines = logLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

LiveryData makeLivery(std::string airline, std::string model, std::string title, std::string atcId, bool cargo) {
    return {std::move(airline), std::move(model), std::move(title), std::move(atcId), 0, cargo};
}

}  // namespace test
