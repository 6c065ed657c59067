#include "control.h"

#include "platform/simconnect/wire.h"
#include "scenario.h"
#include "session.h"

#include <charconv>
#include <sstream>
#include <stdexcept>

namespace sim {

namespace {

using nlohmann::json;

constexpr std::string_view kUsage = R"(Commands (one per line; each answers one JSON line):
  state                      every object (position, lights, gear, flaps, events, flight plan),
                             the removed objects, the clients (each over "tcp" or "pipe")
                             and the clock
  journal [FROM] [TYPE]      the packets received, from index FROM, only those of call TYPE
                             (it keeps the latest 100000 packets, at most 16 MiB of them)
  user {JSON}                set fields of the user aircraft (keys as in the scenario)
  teleport LAT LON           put the user aircraft at a new position (degrees)
  running on|off             the flight runs or the simulator is at its menu ("Sim" event)
  flight-loaded [PATH]       a new flight was loaded ("FlightLoaded" with the file name)
  add-aircraft {JSON}        an aircraft of another program appears ("ObjectAdded")
  frame-rate N               frames per second
  fail TYPE EXCEPTION        refuse the next packet of call TYPE with the exception number
  exception N [SENDID [INDEX]]  send an EXCEPTION record to every client
  quit                       the simulator quits: QUIT to every client, connections closed
  drop                       every connection is cut without a word
  exit                       end vantrel-sim
  help                       this text)";

json lf_ok() { return json{{"ok", true}}; }

std::vector<std::string> lf_words(std::string_view text) {
    std::istringstream stream{std::string(text)};
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

template <typename T>
T lf_number(const std::string& text, const char* what) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        throw std::runtime_error(std::string("not a number for ") + what + ": " + text);
    }
    return value;
}

const std::string& lf_word(const std::vector<std::string>& words, std::size_t index, const char* what) {
    if (index >= words.size()) {
        throw std::runtime_error(std::string("missing ") + what);
    }
    return words[index];
}

json lf_objectJson(const World& world, const SimObject& object) {
    json events = json::array();
    for (const ReceivedEvent& event : object.events) {
        events.push_back({{"name", event.name}, {"data", event.data}});
    }
    return {{"id", object.id},
            {"user", object.isUser},
            {"ownerSession", object.ownerSession},
            {"title", object.title},
            {"livery", object.livery},
            {"atcId", object.atcId},
            {"atcModel", object.atcModel},
            {"latitudeDeg", object.latitudeDeg},
            {"longitudeDeg", object.longitudeDeg},
            {"altitudeFt", object.altitudeFt},
            {"pitchRad", object.pitchRad},
            {"bankRad", object.bankRad},
            {"headingRad", object.headingRad},
            {"verticalSpeedFps", object.verticalSpeedFps},
            {"airspeedKt", object.airspeedKt},
            {"groundSpeedKt", object.groundSpeedKt},
            {"altAboveGroundFt", world.altAboveGroundFt(object)},
            {"onGround", world.onGround(object)},
            {"lightStates", object.lightStates},
            {"gearDown", object.gearDown},
            {"flapsPercent", object.flapsPercent},
            {"spoilersPercent", object.spoilersPercent},
            {"throttlePercent", {object.throttlePercent[0], object.throttlePercent[1]}},
            {"enginesRunning", object.enginesRunning},
            {"frozen", {{"latLon", object.frozenLatLon}, {"altitude", object.frozenAltitude},
                        {"attitude", object.frozenAttitude}}},
            {"released", object.released},
            {"positionWrites", object.positionWrites},
            {"events", events},
            {"flightPlan", {{"path", object.flightPlanPath}, {"text", object.flightPlan}}}};
}

json lf_stateJson(Simulator& simulator) {
    const World& world = simulator.world;
    json objects = json::array();
    for (const auto& [id, object] : world.objects) {
        objects.push_back(lf_objectJson(world, object));
    }
    json removed = json::array();
    for (const RemovedObject& object : world.removed) {
        removed.push_back({{"id", object.id}, {"atcId", object.atcId}, {"reason", object.reason}});
    }
    json clients = json::array();
    for (const Session* session : simulator.sessions()) {
        clients.push_back({{"session", session->id()}, {"name", session->name()}, {"protocol", session->protocol()},
                           {"open", session->isOpen()}, {"connection", session->connection().kind()}});
    }
    return {{"running", world.running},
            {"frameRate", world.frameRate},
            {"frame", world.frameNumber},
            {"userObjectId", world.userObjectId},
            {"zulu", {{"timeOfDayS", world.zulu.timeOfDayS}, {"dayOfYear", world.zulu.dayOfYear},
                      {"year", world.zulu.year}}},
            {"clients", clients},
            {"objects", objects},
            {"removed", removed}};
}

json lf_journalJson(const Simulator& simulator, std::uint64_t from, const std::string& type) {
    json entries = json::array();
    for (const JournalEntry& entry : simulator.journal()) {
        if (entry.index >= from && (type.empty() || entry.type == type)) {
            entries.push_back({{"index", entry.index}, {"session", entry.session}, {"sendId", entry.sendId},
                               {"version", entry.version}, {"type", entry.type}, {"hex", entry.hex}});
        }
    }
    return {{"ok", true}, {"journal", entries}};
}

std::string_view lf_rest(std::string_view line, std::string_view command) {
    const std::size_t start = line.find(command) + command.size();
    return line.substr(start);
}

json lf_execute(Simulator& simulator, std::string_view line, bool& exitRequested) {
    const std::vector<std::string> words = lf_words(line);
    if (words.empty()) {
        throw std::runtime_error("empty command");
    }
    const std::string& command = words[0];
    World& world = simulator.world;
    if (command == "help") {
        return {{"ok", true}, {"usage", kUsage}};
    }
    if (command == "state") {
        return {{"ok", true}, {"state", lf_stateJson(simulator)}};
    }
    if (command == "journal") {
        const std::uint64_t from = words.size() > 1 ? lf_number<std::uint64_t>(words[1], "FROM") : 0;
        return lf_journalJson(simulator, from, words.size() > 2 ? words[2] : "");
    }
    if (command == "user" || command == "add-aircraft") {
        const json fields = json::parse(lf_rest(line, command));
        if (command == "user") {
            applyAircraftJson(world.user(), fields);
            return lf_ok();
        }
        SimObject aircraft;
        applyAircraftJson(aircraft, fields);
        simulator.addOtherAircraft(std::move(aircraft));
        return lf_ok();
    }
    if (command == "teleport") {
        world.user().latitudeDeg = lf_number<double>(lf_word(words, 1, "LAT"), "LAT");
        world.user().longitudeDeg = lf_number<double>(lf_word(words, 2, "LON"), "LON");
        return lf_ok();
    }
    if (command == "running") {
        const std::string& value = lf_word(words, 1, "on or off");
        if (value != "on" && value != "off") {
            throw std::runtime_error("running takes on or off");
        }
        simulator.setRunning(value == "on");
        return lf_ok();
    }
    if (command == "flight-loaded") {
        simulator.flightLoaded(words.size() > 1 ? words[1] : "flights\\other\\FLT.FLT");
        return lf_ok();
    }
    if (command == "frame-rate") {
        const double rate = lf_number<double>(lf_word(words, 1, "N"), "N");
        if (!(rate > 0.0 && rate <= 1000.0)) {
            throw std::runtime_error("the frame rate lies above 0 and at most 1000");
        }
        world.frameRate = rate;
        return lf_ok();
    }
    if (command == "fail") {
        const std::string& type = lf_word(words, 1, "TYPE");
        const auto packetType = platform::simconnect::wire::packetTypeFromName(type);
        if (!packetType) {
            throw std::runtime_error("unknown call " + type);
        }
        simulator.injectFailure(static_cast<std::uint32_t>(*packetType),
                                lf_number<std::uint32_t>(lf_word(words, 2, "EXCEPTION"), "EXCEPTION"));
        return lf_ok();
    }
    if (command == "exception") {
        simulator.sendException(lf_number<std::uint32_t>(lf_word(words, 1, "N"), "N"),
                                words.size() > 2 ? lf_number<std::uint32_t>(words[2], "SENDID") : 0,
                                words.size() > 3 ? lf_number<std::uint32_t>(words[3], "INDEX") : 0);
        return lf_ok();
    }
    if (command == "quit") {
        simulator.quitAll();
        return lf_ok();
    }
    if (command == "drop") {
        simulator.dropAll();
        return lf_ok();
    }
    if (command == "exit") {
        exitRequested = true;
        return lf_ok();
    }
    throw std::runtime_error("unknown command " + command + " (try help)");
}

}  // namespace

std::string_view controlUsage() { return kUsage; }

ControlReply handleCommand(Simulator& simulator, std::string_view line) {
    ControlReply reply;
    try {
        reply.body = lf_execute(simulator, line, reply.exitRequested);
    } catch (const std::exception& error) {
        reply.body = {{"ok", false}, {"error", error.what()}};
    }
    return reply;
}

}  // namespace sim
