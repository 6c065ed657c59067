#pragma once
// The stand-in simulator's world: the user aircraft, AI and other aircraft,
// a flat ground, the simulator's clock and what the scenario allows.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// LIGHT STATES bits.
enum LightBit : std::uint32_t {
    kLightNav = 0x0001,
    kLightBeacon = 0x0002,
    kLightLanding = 0x0004,
    kLightTaxi = 0x0008,
    kLightStrobe = 0x0010,
    kLightPanel = 0x0020,
    kLightRecognition = 0x0040,
    kLightWing = 0x0080,
    kLightLogo = 0x0100,
    kLightCabin = 0x0200,
    kLightAll = 0x03FF,
};

struct ReceivedEvent {
    std::string name;
    std::uint32_t data = 0;
};

struct SimObject {
    std::uint32_t id = 0;
    bool isUser = false;
    std::uint32_t ownerSession = 0;  // the client that created it; 0 for the scenario's aircraft
    std::string title;
    std::string livery;  // the livery name of a create that gives one
    std::string atcId;
    std::string atcModel;
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double altitudeFt = 0.0;
    double pitchRad = 0.0;
    double bankRad = 0.0;
    double headingRad = 0.0;
    double verticalSpeedFps = 0.0;
    double airspeedKt = 0.0;
    double groundSpeedKt = 0.0;
    std::optional<double> givenAltAboveGroundFt;  // the user aircraft's, from the scenario
    std::optional<bool> givenOnGround;            // likewise
    double staticCgToGroundFt = 5.0;
    double staticPitchRad = 0.0;
    std::uint64_t lightStates = 0;
    bool gearDown = true;
    double flapsPercent = 0.0;
    double spoilersPercent = 0.0;
    double throttlePercent[2] = {0.0, 0.0};
    bool enginesRunning = false;
    bool frozenLatLon = false;
    bool frozenAltitude = false;
    bool frozenAttitude = false;
    bool released = false;  // out of the simulator's AI control
    std::uint64_t positionWrites = 0;
    std::vector<ReceivedEvent> events;
    std::string flightPlanPath;
    std::string flightPlan;
};

struct RemovedObject {
    std::uint32_t id = 0;
    std::string atcId;
    std::string reason;  // "removed" by its client, or "client closed"
};

struct Zulu {
    double timeOfDayS = 43200.0;
    std::int64_t dayOfYear = 1;
    std::int64_t year = 2024;
};

class World {
public:
    std::uint32_t userObjectId = 1;
    double groundElevationFt = 0.0;
    double frameRate = 30.0;
    bool running = true;
    Zulu zulu;
    std::vector<std::string> creatableTitles;
    std::size_t maxAiObjects = 1000;
    int createDelayFrames = 3;
    std::map<std::uint32_t, SimObject> objects;
    std::vector<RemovedObject> removed;
    std::uint64_t frameNumber = 0;

    SimObject* find(std::uint32_t objectId);  // 0 is the user aircraft
    SimObject& user();
    double altAboveGroundFt(const SimObject& object) const;
    bool onGround(const SimObject& object) const;
    bool canCreate(const std::string& title) const;
    std::size_t aiObjectCount() const;
    // A new id above the user's and every other, at least 3.
    std::uint32_t nextObjectId();
    // Objects within the radius of the user aircraft (metres; 0: the user only).
    std::vector<const SimObject*> objectsWithin(double radiusMeters) const;
    // Advances the clock and moves aircraft under the simulator's own control.
    void advance(double seconds);

private:
    std::uint32_t lastObjectId_ = 2;
};

double distanceMeters(double latitude1Deg, double longitude1Deg, double latitude2Deg, double longitude2Deg);

}  // namespace sim
