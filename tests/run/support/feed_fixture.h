#pragma once
// The feed's state for one test: a fresh Log.txt, the run taking traffic,
// an empty adding stack at a known tick, the user at Zurich airport with a
// 40 nm radius, no park airport, both lamps and the stop flags at their
// start values; all of it reset again afterwards.

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/great_circle.h"
#include "records/live_ac_update.h"
#include "support/log_capture.h"

namespace test {

// Where the tests' user aircraft is and the park airport they may choose.
inline constexpr GeoPosition kUserPosition{47.45, 8.56};
inline constexpr GeoPosition kParkAirportPosition{47.4647, 8.5492};  // LSZH
inline constexpr std::int32_t kTestTick = 1234;

// A traffic record of 29 fields describing an airborne A320 near the user,
// with the given fields replaced.
std::string trafficRecord(std::initializer_list<std::pair<std::size_t, std::string>> replaced = {});

// The log holds exactly this line, or nothing for an empty text.
void expectLoggedOnly(const LogCapture& log, const std::string& line);

class FeedTest : public ::testing::Test {
protected:
    FeedTest();
    ~FeedTest() override;

    // Makes LSZH the park airport, at the given elevation (feet).
    static void setParkAirport(double elevationFt);
    // Takes every report off the adding stack.
    static std::vector<LiveAcUpdate> takeReports();
    const LogCapture& log() const { return log_; }

private:
    static void resetFeed();

    LogCapture log_;
};

}  // namespace test
