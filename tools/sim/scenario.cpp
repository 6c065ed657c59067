#include "scenario.h"

#include <fstream>
#include <stdexcept>

namespace sim {

namespace {

using nlohmann::json;

template <typename T>
void lf_take(const json& object, const char* key, T& target) {
    if (const auto found = object.find(key); found != object.end()) {
        target = found->get<T>();
    }
}

template <typename T>
void lf_takeOptional(const json& object, const char* key, std::optional<T>& target) {
    if (const auto found = object.find(key); found != object.end()) {
        target = found->get<T>();
    }
}

void lf_checkKeys(const json& object, std::initializer_list<std::string_view> known, const char* where) {
    if (!object.is_object()) {
        throw std::runtime_error(std::string(where) + " must be a JSON object");
    }
    for (const auto& [key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            throw std::runtime_error("unknown key \"" + key + "\" in " + where);
        }
    }
}

Identity lf_identityFor(const std::string& applicationName) {
    Identity identity;
    identity.applicationName = applicationName;
    if (applicationName != "KittyHawk") {
        identity.applicationVersion = {12, 1, 282174, 999};
        identity.acceptedProtocols = {6, 5, 4};
    }
    return identity;
}

}  // namespace

void applyAircraftJson(SimObject& aircraft, const json& fields) {
    lf_checkKeys(fields,
                 {"title", "atcId", "atcModel", "latitudeDeg", "longitudeDeg", "altitudeFt", "pitchRad", "bankRad",
                  "headingRad", "verticalSpeedFps", "airspeedKt", "groundSpeedKt", "altAboveGroundFt", "onGround",
                  "lightStates", "staticCgToGroundFt", "staticPitchRad"},
                 "an aircraft");
    try {
        lf_take(fields, "title", aircraft.title);
        lf_take(fields, "atcId", aircraft.atcId);
        lf_take(fields, "atcModel", aircraft.atcModel);
        lf_take(fields, "latitudeDeg", aircraft.latitudeDeg);
        lf_take(fields, "longitudeDeg", aircraft.longitudeDeg);
        lf_take(fields, "altitudeFt", aircraft.altitudeFt);
        lf_take(fields, "pitchRad", aircraft.pitchRad);
        lf_take(fields, "bankRad", aircraft.bankRad);
        lf_take(fields, "headingRad", aircraft.headingRad);
        lf_take(fields, "verticalSpeedFps", aircraft.verticalSpeedFps);
        lf_take(fields, "airspeedKt", aircraft.airspeedKt);
        lf_take(fields, "groundSpeedKt", aircraft.groundSpeedKt);
        lf_takeOptional(fields, "altAboveGroundFt", aircraft.givenAltAboveGroundFt);
        lf_takeOptional(fields, "onGround", aircraft.givenOnGround);
        lf_take(fields, "lightStates", aircraft.lightStates);
        lf_take(fields, "staticCgToGroundFt", aircraft.staticCgToGroundFt);
        lf_take(fields, "staticPitchRad", aircraft.staticPitchRad);
    } catch (const json::exception& error) {
        throw std::runtime_error(std::string("an aircraft: ") + error.what());
    }
}

Scenario parseScenario(const json& document) {
    lf_checkKeys(document,
                 {"simulator", "applicationVersion", "protocols", "running", "frameRate", "groundElevationFt",
                  "userObjectId", "zulu", "titles", "maxAiObjects", "createDelayFrames", "user", "aircraft"},
                 "the scenario");
    try {
        Scenario scenario{World{}, lf_identityFor(document.value("simulator", std::string("KittyHawk")))};
        World& world = scenario.world;
        lf_take(document, "applicationVersion", scenario.identity.applicationVersion);
        lf_take(document, "protocols", scenario.identity.acceptedProtocols);
        lf_take(document, "running", world.running);
        lf_take(document, "frameRate", world.frameRate);
        lf_take(document, "groundElevationFt", world.groundElevationFt);
        lf_take(document, "userObjectId", world.userObjectId);
        lf_take(document, "titles", world.creatableTitles);
        lf_take(document, "maxAiObjects", world.maxAiObjects);
        lf_take(document, "createDelayFrames", world.createDelayFrames);
        if (const auto zulu = document.find("zulu"); zulu != document.end()) {
            lf_checkKeys(*zulu, {"timeOfDayS", "dayOfYear", "year"}, "zulu");
            lf_take(*zulu, "timeOfDayS", world.zulu.timeOfDayS);
            lf_take(*zulu, "dayOfYear", world.zulu.dayOfYear);
            lf_take(*zulu, "year", world.zulu.year);
        }
        if (!(world.frameRate > 0.0 && world.frameRate <= 1000.0)) {
            throw std::runtime_error("frameRate must lie above 0 and at most 1000");
        }
        SimObject user;
        user.id = world.userObjectId;
        user.isUser = true;
        user.title = "Cessna Skyhawk G1000 Asobo";
        user.atcModel = "C172";
        user.givenOnGround = true;
        user.givenAltAboveGroundFt = 0.0;
        applyAircraftJson(user, document.value("user", json::object()));
        world.objects.emplace(user.id, std::move(user));
        for (const json& fields : document.value("aircraft", json::array())) {
            SimObject aircraft;
            applyAircraftJson(aircraft, fields);
            aircraft.id = world.nextObjectId();
            world.objects.emplace(aircraft.id, std::move(aircraft));
        }
        return scenario;
    } catch (const json::exception& error) {
        throw std::runtime_error(std::string("the scenario: ") + error.what());
    }
}

Scenario loadScenario(const std::filesystem::path& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("cannot read the scenario " + path.string());
    }
    try {
        return parseScenario(json::parse(file));
    } catch (const json::parse_error& error) {
        throw std::runtime_error("the scenario " + path.string() + " is no JSON: " + error.what());
    }
}

}  // namespace sim
