// The livery catalogue built from the scanned liveries, its category
// summary, and the similar-model tables derived from it.

#include <gtest/gtest.h>

#include <set>

#include "core/format.h"
#include "core/settings.h"
#include "liveries/liveries_state.h"
#include "liveries/livery_catalog.h"
#include "liveries/similar_models.h"
#include "liveries/support/liveries_fixture.h"

namespace {

using test::makeLivery;

std::vector<std::string> strings(TitleSpan views) { return {views.begin(), views.end()}; }

class LiveryCatalogTest : public test::LiveriesTest {
protected:
    LiveryCatalogTest() { loadDbase(); }

    static std::vector<std::string> paxTitles(std::string_view airline, std::string_view model) {
        return strings(liveryCatalog.byAirlinePaxCargo[kPaxLiveries].at(std::string(airline)).at(std::string(model)));
    }
    static std::vector<std::string> modelTitles(LiveryKind kind, std::string_view model) {
        return strings(liveryCatalog.byModelPaxCargo[kind].at(std::string(model)));
    }
};

TEST_F(LiveryCatalogTest, IndexesByAirlineModelAndKind) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737 b"), makeLivery("KLM", "B738", "KLM 737 a"),
                  makeLivery("KLM", "B77W", "KLM 777"), makeLivery("TRA", "B738", "Transavia 737"),
                  makeLivery("FDX", "B763", "FedEx 767", "", true),
                  makeLivery("KLM", "B738", "Martinair 737", "", true)});
    const auto& catalog = liveryCatalog;
    EXPECT_EQ(catalog.byAirline.size(), 3u);
    EXPECT_EQ(catalog.byAirline.at("KLM").at("B738").size(), 3u);
    EXPECT_EQ(paxTitles("KLM", "B738"), (std::vector<std::string>{"KLM 737 a", "KLM 737 b"}));
    EXPECT_EQ(strings(catalog.byAirlinePaxCargo[kCargoLiveries].at("KLM").at("B738")),
              std::vector<std::string>{"Martinair 737"});
    // An airline with cargo liveries only is in the cargo half alone.
    EXPECT_FALSE(catalog.byAirlinePaxCargo[kPaxLiveries].contains("FDX"));
    EXPECT_TRUE(catalog.byAirlinePaxCargo[kCargoLiveries].contains("FDX"));
    EXPECT_FALSE(catalog.byAirlinePaxCargo[kCargoLiveries].at("KLM").contains("B77W"));
    auto b738 = modelTitles(kPaxLiveries, "B738");
    std::sort(b738.begin(), b738.end());
    EXPECT_EQ(b738, (std::vector<std::string>{"KLM 737 a", "KLM 737 b", "Transavia 737"}));
    EXPECT_EQ(modelTitles(kCargoLiveries, "B763"), std::vector<std::string>{"FedEx 767"});
    EXPECT_TRUE(catalogHasAirlineModel("TRA", "B738"));
    EXPECT_FALSE(catalogHasAirlineModel("TRA", "B77W"));
    EXPECT_FALSE(catalogHasAirlineModel("tra", "B738"));
}

TEST_F(LiveryCatalogTest, TitlesAreViewsOfTheCatalogueOwnCopies) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737"), makeLivery("TRA", "B738", "Transavia 737")});
    const TitleView title = findCatalogTitle(std::string("KLM 737"));
    EXPECT_EQ(title, "KLM 737");
    EXPECT_EQ(title.data(), liveryCatalog.byAirline.at("KLM").at("B738").front().title.data());
    EXPECT_EQ(liveryCatalog.byModelPaxCargo[kPaxLiveries].at("B738").size(), 2u);
    EXPECT_TRUE(findCatalogTitle("KLM 73").empty());
    EXPECT_TRUE(findCatalogTitle("Not installed").empty());
    liveryList.clear();  // the catalogue no longer needs the list
    EXPECT_EQ(paxTitles("TRA", "B738"), std::vector<std::string>{"Transavia 737"});
}

TEST_F(LiveryCatalogTest, RunThatIsNotContiguousIsDropped) {
    liveryList = {makeLivery("KLM", "B738", "first"), makeLivery("KLM", "B77W", "other"),
                  makeLivery("KLM", "B738", "later"), makeLivery("TRA", "B738", "tra"),
                  makeLivery("KLM", "A320", "back to KLM")};
    buildAirlineModelCatalog();
    const auto& klm = liveryCatalog.byAirline.at("KLM");
    ASSERT_EQ(klm.at("B738").size(), 1u);
    EXPECT_EQ(klm.at("B738").front().title, "first");
    EXPECT_FALSE(klm.contains("A320"));  // the second KLM run is dropped whole
    EXPECT_TRUE(findCatalogTitle("later").empty());
    EXPECT_TRUE(findCatalogTitle("back to KLM").empty());
    EXPECT_EQ(findCatalogTitle("tra"), "tra");
    EXPECT_EQ(liveryCatalog.byAirline.at("TRA").at("B738").front().title, "tra");
}

TEST_F(LiveryCatalogTest, ABuildAgainStartsAfresh) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737"), makeLivery("KLM", "A320", "KLM A320")});
    std::vector<LiveryData> more;
    for (int n = 0; n < 300; ++n) {  // more than the first build made room for
        more.push_back(makeLivery("TRA", "B738", fmtlib::format("Transavia 737 number {}", n), "", n % 2 == 1));
    }
    buildCatalog(more);
    buildPaxCargoAirlineMaps();  // each step again on its own
    buildModelTitleMaps();
    EXPECT_FALSE(liveryCatalog.byAirline.contains("KLM"));
    EXPECT_TRUE(findCatalogTitle("KLM 737").empty());
    EXPECT_EQ(findCatalogTitle("Transavia 737 number 299"), "Transavia 737 number 299");
    EXPECT_EQ(paxTitles("TRA", "B738").size(), 150u);
    EXPECT_EQ(paxTitles("TRA", "B738").front(), "Transavia 737 number 0");
    EXPECT_EQ(modelTitles(kCargoLiveries, "B738").size(), 150u);
    EXPECT_FALSE(liveryCatalog.byModelPaxCargo[kPaxLiveries].contains("A320"));
}

TEST_F(LiveryCatalogTest, LiveriesWithoutModelStayOutOfTheModelLists) {
    // A database correction can leave a livery without a model; its titles
    // must not join the list of the model that sorts after it.
    buildCatalog({makeLivery("KLM", "", "KLM unknown model"), makeLivery("TRA", "", "Transavia unknown model", "", true),
                  makeLivery("KLM", "A320", "KLM A320"), makeLivery("KLM", "B763", "KLM cargo 767", "", true)});
    EXPECT_EQ(modelTitles(kPaxLiveries, "A320"), std::vector<std::string>{"KLM A320"});
    EXPECT_EQ(modelTitles(kCargoLiveries, "B763"), std::vector<std::string>{"KLM cargo 767"});
    EXPECT_FALSE(liveryCatalog.byModelPaxCargo[kPaxLiveries].contains(""));
    EXPECT_EQ(liveryCatalog.byModelPaxCargo[kPaxLiveries].size(), 1u);
    EXPECT_EQ(liveryCatalog.lightModels, std::vector<std::string>{});
}

TEST_F(LiveryCatalogTest, CategorySummaryAndModelLists) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737"), makeLivery("ZZZ", "C172", "Cessna 172"),
                  makeLivery("ZZZ", "C182", "Cessna 182 a"), makeLivery("ZZZ", "C182", "Cessna 182 b"),
                  makeLivery("FDX", "C182", "FedEx 182", "", true), makeLivery("EJA", "C56X", "NetJets 56X"),
                  makeLivery("ZZZ", "EC35", "Helicopter")});
    const std::vector<std::string> expected = {"Category Light: 3 pax liveries and 1 cargo liverie",
                                               "  C172,C182",
                                               "Category Buzjets: 1 pax liverie",
                                               "  C56X",
                                               "Category Large: 1 pax liverie",
                                               "  B738",
                                               "Category Heavy: No livery found",
                                               "Category HighPerf: No livery found",
                                               "HIGH_PERF_AIRCRAFT=false",  // the save
                                               "HIGH_PERF_AIRCRAFT temporarily switched off because you do not have "
                                               "High Perf aircraft installed",
                                               "Category Rotorcraft: 1 pax liverie",
                                               "  EC35"};
    const auto lines = logLines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(expected.size()), lines.end()), expected);
    EXPECT_EQ(liveryCatalog.lightModels, (std::vector<std::string>{"C172", "C182"}));
    EXPECT_EQ(liveryCatalog.buzjetModels, std::vector<std::string>{"C56X"});
    EXPECT_EQ(liveryCatalog.rotorcraftModels, std::vector<std::string>{"EC35"});
    EXPECT_FALSE(HIGH_PERF_AIRCRAFT.value);
    EXPECT_EQ(fileValue("HIGH_PERF_AIRCRAFT"), "false");
    EXPECT_TRUE(LIGHT_AIRCRAFT.value);
    EXPECT_EQ(pickRandomLightModel(), "C172");  // RANDOM off: the first
}

TEST_F(LiveryCatalogTest, EmptyCatalogueSwitchesTheOptionalCategoriesOff) {
    HELICOPTERS.value = false;
    buildCatalog({});
    for (const auto& category : aircraftCategoryNames) {
        EXPECT_TRUE(logged(fmtlib::format("Category {}: No livery found", category.name)));
    }
    EXPECT_TRUE(logged("LIGHT_AIRCRAFT temporarily switched off because you do not have light aircraft installed"));
    EXPECT_FALSE(logged("HELICOPTERS temporarily switched off because you do not have Helicopters installed"));
    EXPECT_FALSE(LIGHT_AIRCRAFT.value);
    EXPECT_FALSE(HIGH_PERF_AIRCRAFT.value);
    EXPECT_EQ(fileValue("LIGHT_AIRCRAFT"), "false");
    EXPECT_EQ(fileValue("HELICOPTERS"), "<absent>");  // was off already: not saved
    EXPECT_EQ(pickRandomLightModel(), "");
    EXPECT_EQ(pickRandomBuzjetModel(), "");
    EXPECT_EQ(pickRandomRotorcraftModel(), "");
}

TEST_F(LiveryCatalogTest, ModelCodesAreLoggedTwentyALine) {
    std::vector<std::string> codes;
    for (int code = 0; code < 45; ++code) {
        codes.push_back(fmtlib::format("M{:02}", code));
    }
    const std::size_t linesBefore = logLines().size();
    fillCategoryModelList(false, true, false, codes);
    const auto all = logLines();
    const std::vector<std::string> lines(all.begin() + static_cast<long>(linesBefore), all.end());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "  M00,M01,M02,M03,M04,M05,M06,M07,M08,M09,M10,M11,M12,M13,M14,M15,M16,M17,M18,M19");
    EXPECT_EQ(lines[2], "  M40,M41,M42,M43,M44");
    EXPECT_EQ(liveryCatalog.buzjetModels, codes);
    EXPECT_TRUE(liveryCatalog.lightModels.empty());
}

TEST_F(LiveryCatalogTest, ResetKeepsCountsAndRefusedTitles) {
    buildCatalog({makeLivery("KLM", "B738", "KLM 737", "PH-BXA"), makeLivery("ZZZ", "C172", "Cessna")});
    liveryCatalog.matchStepCounts[0] = 3;
    liveryCatalog.refusedTitles.emplace_back("KLM 737");
    gf_resetLiveryCatalog();
    EXPECT_TRUE(liveryCatalog.byAirline.empty());
    EXPECT_TRUE(liveryCatalog.regcodeTitles.empty());
    EXPECT_TRUE(liveryCatalog.byModelPaxCargo[kPaxLiveries].empty());
    EXPECT_TRUE(liveryCatalog.lightModels.empty());
    EXPECT_TRUE(findCatalogTitle("KLM 737").empty());
    EXPECT_EQ(liveryCatalog.matchStepCounts[0], 3u);
    EXPECT_EQ(liveryCatalog.refusedTitles, std::vector<std::string>{"KLM 737"});
}

TEST_F(LiveryCatalogTest, SimilarModelsWithLiveries) {
    // Group A319, A320, A321: only A320 and A321 have liveries. Group C172,
    // C182: only C172, so C182 can take C172 and C172 gets nothing.
    buildCatalog({makeLivery("KLM", "A320", "KLM A320"), makeLivery("DLH", "A321", "Lufthansa A321"),
                  makeLivery("DLH", "A320", "Lufthansa A320"), makeLivery("ZZZ", "C172", "Cessna")});
    EXPECT_EQ(similarModelsInstalled.size(), 4u);
    EXPECT_EQ(similarModelsInstalled.at("A319"), (ModelList{"A320", "A321"}));
    EXPECT_EQ(similarModelsInstalled.at("A320"), ModelList{"A321"});
    EXPECT_EQ(similarModelsInstalled.at("A321"), ModelList{"A320"});
    EXPECT_FALSE(similarModelsInstalled.contains("C172"));
    EXPECT_EQ(similarModelsInstalled.at("C182"), ModelList{"C172"});
    EXPECT_TRUE(logged("4 similar model definitions"));
    // KLM has A320 only.
    EXPECT_EQ(gf_getSimilarModelsForAirline("KLM", "A319"), ModelList{"A320"});
    EXPECT_EQ(gf_getSimilarModelsForAirline("KLM", "A321"), ModelList{"A320"});
    EXPECT_TRUE(gf_getSimilarModelsForAirline("KLM", "A320").empty());
    EXPECT_EQ(gf_getSimilarModelsForAirline("DLH", "A319"), (ModelList{"A320", "A321"}));
    EXPECT_TRUE(gf_getSimilarModelsForAirline("BAW", "A319").empty());
    EXPECT_EQ(gf_getSimilarModelsForAirline("ZZZ", "C182"), ModelList{"C172"});
    // A rebuild reflects the catalogue it is built from.
    gf_resetLiveryCatalog();
    buildCatalog({makeLivery("KLM", "A319", "KLM A319")});
    EXPECT_TRUE(similarModelsInstalled.at("A320") == ModelList{"A319"});
    EXPECT_FALSE(similarModelsInstalled.contains("A319"));
}

TEST_F(LiveryCatalogTest, SimilarModelsShuffleWithRandom) {
    buildCatalog({makeLivery("DLH", "A320", "a"), makeLivery("DLH", "A321", "b")});
    RANDOM.value = true;
    std::set<ModelList> orders;
    for (int draw = 0; draw < 64; ++draw) {
        orders.insert(gf_getSimilarModelsForAirline("DLH", "A319"));
    }
    EXPECT_EQ(orders, (std::set<ModelList>{{"A320", "A321"}, {"A321", "A320"}}));
}

TEST_F(LiveryCatalogTest, SingleModelList) {
    EXPECT_TRUE(gf_singleModelList([] { return std::string(); }).empty());
    EXPECT_EQ(gf_singleModelList([] { return std::string("C172"); }), ModelList{"C172"});
}

}  // namespace
