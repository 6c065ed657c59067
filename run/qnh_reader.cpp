#include "run/qnh_reader.h"

#include <cmath>
#include <gsl/narrow>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/format.h"
#include "core/log.h"
#include "core/rounding.h"
#include "run/feed_numbers.h"
#include "run/feed_readers.h"
#include "run/run_state.h"
#include "run/traffic_reader.h"
#include "ui/status/main_window.h"

namespace {

constexpr int kLowestQnhHpa = 930;
constexpr int kHighestQnhHpa = 1080;
// Hectopascals per hundredth of an inch of mercury: 2992 becomes 1013.
constexpr double kHpaPerHundredthInHg = 0.33865307;

// The member's value as an int; empty (after logging why) when it holds
// none. Throws gsl::narrowing_error for a number beyond an int.
std::optional<int> lf_readQnhValue(const nlohmann::json& value, std::string_view datagram) {
    if (value.is_number_integer()) {
        return value.is_number_unsigned() ? gsl::narrow<int>(value.get<std::uint64_t>())
                                          : gsl::narrow<int>(value.get<std::int64_t>());
    }
    if (value.is_number_float()) {
        // RealTraffic's values are taken at single precision; a number beyond
        // a float must not be converted to one.
        const double number = value.get<double>();
        if (!(std::abs(number) <= std::numeric_limits<float>::max())) {
            throw gsl::narrowing_error{};
        }
        return gf_roundToInt(static_cast<float>(number));
    }
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        const auto parsed = gf_readLeadingInt(text);
        if (!parsed) {
            gf_writeLog(fmtlib::format("QNH string parse error: {} in {}", text, datagram));
        }
        return parsed;
    }
    gf_writeLogPlain(fmtlib::format("no QNH {}", datagram));
    return std::nullopt;
}

void lf_publishQnh(int qnhHpa) {
    qnhReader.lastQnh = qnhHpa;
    TrafficReader::qnh = qnhHpa;
    qnhForSim.exchange(qnhHpa);
    MainWindow::qnh = qnhHpa;
    auto stale = MainWindow::readerStale;
    MainWindow::weatherReaderState.compare_exchange_strong(stale, MainWindow::readerReceiving);
    gf_repaintReaderLamps();
}

void lf_showQnhListening() { gf_setReaderLamp(MainWindow::weatherReaderState, MainWindow::readerReceiving); }

}  // namespace

void QnhReader::processDatagram(std::string_view datagram) {
    try {
        const auto document = nlohmann::json::parse(datagram.begin(), datagram.end());
        const auto member = document.find("QNH");
        if (member == document.end() || member->is_null() ||
            ((member->is_object() || member->is_array()) && member->empty())) {
            gf_writeLogPlain(fmtlib::format("no QNH {}", datagram));
            return;
        }
        auto qnhHpa = lf_readQnhValue(*member, datagram);
        if (!qnhHpa) {
            return;
        }
        if (*qnhHpa > kHighestQnhHpa) {
            *qnhHpa = gf_roundToInt(*qnhHpa * kHpaPerHundredthInHg);
        }
        if (*qnhHpa < kLowestQnhHpa || *qnhHpa > kHighestQnhHpa) {
            gf_writeLogPlain(fmtlib::format("? Strange QNH {} found in {}", *qnhHpa, datagram));
            return;
        }
        if (*qnhHpa != lastQnh || *qnhHpa == kStandardQnhHpa) {
            lf_publishQnh(*qnhHpa);
        }
    } catch (const std::exception& error) {
        gf_writeLogPlain(fmtlib::format("Exception {}, in {}", error.what(), datagram));
    }
}

void QnhReader::onStopped() { gf_writeLogPlain("QNH Reader has stopped"); }

void runQnhReader(std::uint16_t port) { gf_runUdpReceiver(qnhReader, "QNH Reader", port, lf_showQnhListening); }
