#include "simlink/user_aircraft_model.h"

#include <array>
#include <exception>
#include <utility>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/log.h"
#include "liveries/aircraft_database.h"
#include "liveries/liveries_state.h"
#include "simlink/simlink_state.h"
#include "simlink/user_aircraft.h"
#include "ui/status/main_window.h"
#include "ui/status/message_line.h"
#include "ui/status/window_updates.h"

namespace {

constexpr std::size_t kMaxTitleCharacters = 48;

using Rename = std::pair<std::string_view, std::string_view>;

// Models the simulator reports for which the type code is known.
constexpr std::array<Rename, 4> kModelRenames{{
    {"A350-900", "A359"},
    {"N738B", "B38M"},
    {"777", "772"},
    {"A330-200 (RR)", "A332"},
}};
// A "737" is told apart by the title of its livery package.
constexpr std::array<Rename, 4> kTitles737{{
    {"DG 737-800", "B738"},
    {"DG 737-700", "B737"},
    {"DG 737-600", "B736"},
    {"DG 737-900", "B739"},
}};
// Titles whose first 13 characters give the model when the model has no span.
constexpr std::array<Rename, 3> kTitlePrefixModels{{
    {"Aerosoft A319", "A319"},
    {"Aerosoft A320", "A320"},
    {"Aerosoft A321", "A321"},
}};
constexpr std::size_t kTitlePrefixLength = 13;
// Some models are a localisation key: "ATCCOM.AC_MODEL_B738.0.text".
constexpr std::string_view kTextKeyMarker = ".0.text";
constexpr std::string_view kDollarPrefix = "$$:";
constexpr double kMetersPerNm = 1852.0;

void lf_repaintStatus() { gf_repaint(WindowRegion::StatusBlock); }

// The first `count` characters of a UTF-8 text; a character is a lead byte
// with its continuation bytes.
std::string_view lf_firstCharacters(std::string_view text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t index = 0; index < text.size(); ++index) {
        const bool continuation = (static_cast<unsigned char>(text[index]) & 0xC0U) == 0x80U;
        if (!continuation && characters++ == count) {
            return text.substr(0, index);
        }
    }
    return text;
}

std::string_view lf_modelOfTextKey(std::string_view model, std::size_t marker) {
    for (std::size_t length : {4U, 3U, 2U}) {
        if (marker >= length) {
            const std::string_view candidate = model.substr(marker - length, length);
            if (gf_getHalfWingspanNm(candidate) != 0.0) {
                return candidate;
            }
        }
    }
    return model;
}

// The type code in the model text; the first rule that applies decides.
std::string lf_normaliseModel(std::string_view model) {
    for (const auto& [from, to] : kModelRenames) {
        if (model == from) {
            return std::string(to);
        }
    }
    if (const std::size_t marker = model.find(kTextKeyMarker);
        model.size() >= kTextKeyMarker.size() && marker != std::string_view::npos) {
        return std::string(lf_modelOfTextKey(model, marker));
    }
    if (model.size() >= 5 && model.starts_with(kDollarPrefix)) {
        return std::string(model.substr(kDollarPrefix.size()));
    }
    if (model == "737") {
        for (const auto& [title, type] : kTitles737) {
            if (userAircraftTitle.find(title) != std::string::npos) {
                return std::string(type);
            }
        }
    }
    return std::string(model);
}

std::string_view lf_modelOfTitle() {
    if (userAircraftTitle.size() < kTitlePrefixLength) {
        return {};
    }
    const std::string_view prefix = std::string_view(userAircraftTitle).substr(0, kTitlePrefixLength);
    for (const auto& [title, type] : kTitlePrefixModels) {
        if (prefix == title) {
            return type;
        }
    }
    return {};
}

double lf_spanOrMaximum(std::string_view type) {
    const double span = gf_getHalfWingspanNm(type);
    return span == 0.0 ? dbase.maxHalfSpanNm : span;
}

void lf_onNoModel() {
    MainWindow::userTitleText = "Unknown (encrypted?) aircraft";
    lf_repaintStatus();
    gf_showMessage("171: No model info from your user aircraft received in SimConnect, CRJ7 is taken instead", true);
    userHalfSpanNm = lf_spanOrMaximum("CRJ7");
    userHalfSpanKnown = true;
}

void lf_setModelKnown(bool known) {
    MainWindow::userModelKnown = known;
    lf_repaintStatus();
}

// Sets the span from the model (or the largest of the database when the
// model has none) and returns the model's log line, which names the model
// the span came from.
std::string lf_takeSpanOfModel(std::string& model) {
    std::string logLine = "SimConnect: User aircraft model: " + model;
    const double span = model.size() <= 4 ? gf_getHalfWingspanNm(model) : dbase.maxHalfSpanNm;
    userHalfSpanKnown = true;
    userHalfSpanNm = span;
    bool spanFound = span != dbase.maxHalfSpanNm;
    if (!spanFound) {
        if (const std::string_view deduced = lf_modelOfTitle(); !deduced.empty()) {
            model = deduced;
            logLine = "SimConnect: User aircraft model deduced from title: " + model;
            userHalfSpanNm = lf_spanOrMaximum(model);
            spanFound = gf_getHalfWingspanNm(model) != 0.0;
        }
    }
    lf_setModelKnown(spanFound);
    if (spanFound) {
        logLine += fmtlib::format(", half wing span: {:.1F} meter", userHalfSpanNm.load() * kMetersPerNm);
    } else {
        gf_showMessage("User aircraft wing span unknown, max is taken instead, please report in my Forum!", true);
    }
    return logLine;
}

void lf_detectModel(std::string_view atcModel) {
    if (atcModel.empty()) {
        lf_onNoModel();
        return;
    }
    gf_writeLogIndented(fmtlib::format("model raw: {}", atcModel));
    std::string model = lf_normaliseModel(atcModel);
    if (model.find("camerapod") != std::string::npos || model.find("Crew Vessel") != std::string::npos) {
        lf_setModelKnown(true);
        userHalfSpanNm = gf_getHalfWingspanNm("E190");
        userHalfSpanKnown = true;
        userCategory = AircraftCategory::Light;
        gf_writeLogIndented("SimConnect: User aircraft model: " + model);
        return;
    }
    std::string logLine = lf_takeSpanOfModel(model);
    const AircraftCategory category = gf_getAircraftCategory(model);
    userCategory = category;
    logLine += fmtlib::format(", category: {}", aircraftCategoryNames.at(gf_categoryIndex(category)).name);
    gf_writeLogIndented(logLine);
}

}  // namespace

void onUserAircraftTitle(std::string_view title) {
    if (title.empty()) {
        gf_writeLogPlain("! Title of your aircraft is empty?");
        return;
    }
    const std::string_view kept = lf_firstCharacters(title, kMaxTitleCharacters);
    if (kept == userAircraftTitle) {
        return;
    }
    userAircraftTitle = kept;
    MainWindow::userTitleText = userAircraftTitle;
    lf_repaintStatus();
    gf_writeLogIndented("SimConnect: User aircraft title: " + userAircraftTitle);
}

void detectUserAircraftModel(std::string_view atcModel) {
    try {
        lf_detectModel(atcModel);
    } catch (const qrx::UserErrorException&) {
        throw;
    } catch (...) {
        throw qrx::UserErrorException(73, "It looks like you have not selected an aircraft as user vehicle");
    }
}

void gf_resetUserAircraftTitle() { userAircraftTitle.clear(); }
