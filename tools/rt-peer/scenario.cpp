#include "scenario.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace rtpeer {

namespace {

constexpr std::pair<std::string_view, Step::Kind> kKinds[] = {
    {"traffic", Step::Kind::Traffic}, {"qnh", Step::Kind::Qnh},         {"send", Step::Kind::Send},
    {"close", Step::Kind::Close},     {"connect", Step::Kind::Connect}, {"note", Step::Kind::Note},
};

bool lf_takesText(Step::Kind kind) {
    return kind == Step::Kind::Traffic || kind == Step::Kind::Qnh || kind == Step::Kind::Send ||
           kind == Step::Kind::Note;
}

Step lf_parseStep(std::string_view line) {
    const std::size_t timeEnd = line.find(' ');
    long long ms = -1;
    const char* timeLast = line.data() + (timeEnd == std::string_view::npos ? line.size() : timeEnd);
    const auto [end, error] = std::from_chars(line.data(), timeLast, ms);
    if (timeEnd == std::string_view::npos || error != std::errc{} || end != timeLast || ms < 0) {
        throw std::runtime_error("a step begins with its time in milliseconds and a blank");
    }
    const std::string_view rest = line.substr(timeEnd + 1);
    const std::size_t kindEnd = rest.find(' ');
    const std::string_view kindName = rest.substr(0, kindEnd);
    for (const auto& [name, kind] : kKinds) {
        if (name != kindName) {
            continue;
        }
        if (lf_takesText(kind) != (kindEnd != std::string_view::npos)) {
            throw std::runtime_error(std::string{name} + (lf_takesText(kind) ? " needs a text" : " takes no text"));
        }
        Step step{std::chrono::milliseconds{ms}, kind, {}};
        if (kindEnd != std::string_view::npos) {
            step.text = rest.substr(kindEnd + 1);
        }
        return step;
    }
    throw std::runtime_error("unknown step '" + std::string{kindName} + "'");
}

}  // namespace

std::vector<Step> parseScenario(const std::string& text) {
    std::vector<Step> steps;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        try {
            Step step = lf_parseStep(line);
            if (!steps.empty() && step.at < steps.back().at) {
                throw std::runtime_error("its time is before the step's before");
            }
            steps.push_back(std::move(step));
        } catch (const std::runtime_error& error) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
        }
    }
    return steps;
}

std::vector<Step> loadScenario(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream text;
    text << file.rdbuf();
    return parseScenario(text.str());
}

}  // namespace rtpeer
