#include "liveries/dbase_file.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/data_decryption.h"
#include "core/data_paths.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "core/strings.h"
#include "core/units.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"

namespace {

constexpr int kNotReadCode = 60;
constexpr int kEmptySectionCode = 61;
// Room reserved ahead, from the sizes of the maker's database.
constexpr std::size_t kSimilarGroupsReserve = 64;
constexpr std::size_t kPublisherGroupsReserve = 640;
constexpr std::size_t kThirdparty20Reserve = 600;
constexpr std::size_t kThirdparty24Reserve = 300;
constexpr std::size_t kShortRegcodeLength = 6;  // registrations searched in titles are shorter

// Where a list lives in the file: <section><element attribute="a,b"/></section>.
struct ListPlace {
    const char* section;
    const char* element;
    const char* attribute;
};

template <class Visit>
void lf_forEachElement(const pugi::xml_document& document, const char* section, const char* element, Visit visit) {
    for (const pugi::xml_node node : document.child(section).children(element)) {
        visit(node);
    }
}

// Every piece of every element's list, into the set.
void lf_insertListPieces(const pugi::xml_document& document, const ListPlace& place, CodeSet& set) {
    lf_forEachElement(document, place.section, place.element, [&](pugi::xml_node node) {
        for (std::string& piece : gf_splitComma(node.attribute(place.attribute).value())) {
            set.insert(std::move(piece));
        }
    });
}

void lf_requireNotEmpty(const CodeSet& set, const ListPlace& place) {
    if (set.empty()) {
        throw qrx::UserErrorException(
            kEmptySectionCode, fmtlib::format("In XML file section [{}], element [{}], attribute [{}] is empty.",
                                              place.section, place.element, place.attribute));
    }
}

CodeSet lf_readRequiredSet(const pugi::xml_document& document, const ListPlace& place) {
    CodeSet set;
    lf_insertListPieces(document, place, set);
    lf_requireNotEmpty(set, place);
    return set;
}

void lf_readSimilarTypes(const pugi::xml_document& document) {
    auto& groups = dbase.similarTypeGroups;
    groups.reserve(kSimilarGroupsReserve);
    lf_forEachElement(document, "similar_types", "similar", [&](pugi::xml_node node) {
        auto group = gf_splitComma(node.attribute("types").value());
        std::sort(group.begin(), group.end());
        groups.push_back(std::move(group));
    });
    groups.shrink_to_fit();
}

void lf_readPublishers(const pugi::xml_document& document) {
    std::vector<std::string> values;
    lf_forEachElement(document, "publishers", "pub",
                      [&](pugi::xml_node node) { values.emplace_back(node.attribute("names").value()); });
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    auto& groups = dbase.publisherGroups;
    groups.reserve(kPublisherGroupsReserve);
    for (const std::string& value : values) {
        groups.push_back(gf_splitComma(value));
    }
    gf_writeLogPlain(fmtlib::format("   {} publishers", groups.size()));
}

// The half span of one wingspan element, nautical miles; none when the
// element is skipped. A missing "meters" gives 0; a value that is no finite
// number of metres or is negative would poison the averages and every stand
// test that uses them, so it is skipped.
std::optional<double> lf_readHalfSpanNm(pugi::xml_node node) {
    const std::string type = node.attribute("type").value();
    if (!gf_isKnownAircraftType(type)) {
        gf_writeLog(fmtlib::format("wingspan model {} is not valid, skipped", type));
        return std::nullopt;
    }
    const char* meters = node.attribute("meters").value();
    const double spanMetres = std::strtod(meters, nullptr);
    if (!std::isfinite(spanMetres) || spanMetres < 0.0) {
        gf_writeLog(fmtlib::format("wingspan '{}' of model {} is not valid, skipped", meters, type));
        return std::nullopt;
    }
    return spanMetres * 0.5 / kMetresPerNm;
}

void lf_averageCategorySpans() {
    std::array<double, kAircraftCategoryCount> sums{};
    std::array<std::size_t, kAircraftCategoryCount> counts{};
    for (const auto& [type, halfSpanNm] : dbase.halfSpanByType) {
        const std::size_t index = gf_categoryIndex(gf_getAircraftCategory(type));
        sums[index] += halfSpanNm;
        ++counts[index];
    }
    for (std::size_t index = 0; index < kAircraftCategoryCount; ++index) {
        // A category without a single span has no average: 0.0 says so,
        // where 0/0 would give NaN.
        dbase.categoryHalfSpanNm[index] = counts[index] == 0 ? 0.0 : sums[index] / static_cast<double>(counts[index]);
    }
}

void lf_readWingspans(const pugi::xml_document& document) {
    bool anyRead = false;
    lf_forEachElement(document, "wingspans", "wingspan", [&](pugi::xml_node node) {
        const auto halfSpanNm = lf_readHalfSpanNm(node);
        if (!halfSpanNm) {
            return;
        }
        anyRead = true;
        dbase.halfSpanByType.try_emplace(node.attribute("type").value(), *halfSpanNm);
        dbase.maxHalfSpanNm = std::max(dbase.maxHalfSpanNm, *halfSpanNm);
    });
    if (anyRead) {
        lf_averageCategorySpans();
    }
}

void lf_readFixes(const pugi::xml_document& document) {
    lf_forEachElement(document, "fixes", "fx", [&](pugi::xml_node node) {
        const std::string wrong = node.attribute("wro").value();
        const std::string correct = node.attribute("cor").value();
        if (!gf_isKnownAircraftType(correct)) {
            gf_writeLog(fmtlib::format("wrong fix {} -> {}, the latter is not valid", wrong, correct));
        } else if (!dbase.typeFixes.try_emplace(wrong, correct).second) {
            gf_writeLog(fmtlib::format("wrong part of fix: '{}', already exists, skipped", wrong));
        }
    });
}

void lf_readThirdparties(const pugi::xml_document& document, const char* section, const char* element,
                         std::vector<ThirdpartyEntry>& entries, std::size_t reserve) {
    entries.reserve(reserve);
    lf_forEachElement(document, section, element, [&](pugi::xml_node node) {
        entries.push_back({node.attribute("pub").value(), gf_splitComma(node.attribute("arpts").value())});
    });
}

void lf_readRegistrations(const pugi::xml_document& document) {
    auto& table = dbase.regcodeTable;
    const auto records = document.child("dbase").children("db");
    table.reserve(static_cast<std::size_t>(std::distance(records.begin(), records.end())));
    for (const pugi::xml_node node : records) {
        RegcodeRecord record{node.attribute("airl").value(), node.attribute("type").value(),
                             node.attribute("opr").value(), node.attribute("cargo").as_bool()};
        const char* registration = node.attribute("reg").value();
        if (!table.try_emplace(registration, std::move(record)).second) {
            gf_writeLog(fmtlib::format("regcode {} already exists", registration));
        }
    }
    for (const auto& entry : table) {
        if (entry.first.size() < kShortRegcodeLength) {
            dbase.shortRegcodes.push_back(entry.first);
        }
    }
    gf_writeLogPlain(fmtlib::format("{} dbase records read", table.size()));
}

}  // namespace

void gf_loadDbaseXml(const std::filesystem::path& path) {
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_file(path.c_str());
    if (!result) {
        throw qrx::UserErrorException(
            kNotReadCode, fmtlib::format("'{}' not read because of {}", path.string(), result.description()));
    }
    dbase = DbaseTables{};
    dbase.knownAircraftTypes = lf_readRequiredSet(document, {"aircrafts", "aircraft", "types"});
    dbase.highPerformanceTypes = lf_readRequiredSet(document, {"high_performance", "hpf", "types"});
    dbase.heavyTypes = lf_readRequiredSet(document, {"heavy", "hvy", "types"});
    dbase.largeTypes = lf_readRequiredSet(document, {"large", "lar", "types"});
    dbase.buzjetTypes = lf_readRequiredSet(document, {"buzjet", "bzj", "types"});
    dbase.rotorcraftTypes = lf_readRequiredSet(document, {"rotorcraft", "rot", "types"});
    dbase.cargoTypes = lf_readRequiredSet(document, {"cargo_types", "cargo_type", "types"});
    lf_readSimilarTypes(document);
    dbase.icaoAirlines = lf_readRequiredSet(document, {"ICAO_airlines", "ICAO", "codes"});
    dbase.cargoOperators = lf_readRequiredSet(document, {"cargo_operators", "ICAO", "codes"});
    lf_readPublishers(document);
    lf_readWingspans(document);
    lf_readFixes(document);
    const ListPlace simaddons{"simaddons20", "simaddon20", "arpts"};
    lf_insertListPieces(document, simaddons, dbase.simaddonAirports20);
    lf_requireNotEmpty(dbase.simaddonAirports20, simaddons);
    lf_readThirdparties(document, "thirdparties20", "thirdpartie20", dbase.thirdpartyAirports20, kThirdparty20Reserve);
    lf_readThirdparties(document, "thirdparties24", "thirdpartie24", dbase.thirdpartyAirports24, kThirdparty24Reserve);
    lf_readRegistrations(document);
}

bool gf_readDbase() {
    const auto& encrypted = dataPaths.dbaseEncFile;
    const auto& plain = dataPaths.dbaseXmlFile;
    if (!std::filesystem::exists(encrypted)) {
        throw std::runtime_error(fmtlib::format("{} not available", encrypted.string()));
    }
    if (!gf_streamDecrypt(encrypted, plain)) {
        throw std::runtime_error(fmtlib::format("{} stream decrypt failed", encrypted.string()));
    }
    // The plain database lies on disk only while it is read, also when
    // reading it fails.
    try {
        gf_loadDbaseXml(plain);
    } catch (...) {
        gf_removeFileIfExists(plain);
        throw;
    }
    gf_removeFileIfExists(plain);
    return true;
}
