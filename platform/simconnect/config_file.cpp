#include "platform/simconnect/config_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace platform::simconnect {

namespace {

std::string_view lf_trim(std::string_view text) {
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool lf_equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string lf_sectionName(std::uint32_t configIndex) {
    return configIndex == 0 ? "SimConnect" : "SimConnect." + std::to_string(configIndex);
}

void lf_applyKey(ServerAddress& address, std::string_view key, std::string_view value) {
    if (lf_equalsIgnoringCase(key, "Address") && !value.empty()) {
        address.host = std::string(value);
    } else if (lf_equalsIgnoringCase(key, "Port")) {
        unsigned port = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
        if (error == std::errc{} && end == value.data() + value.size() && port >= 1 && port <= 65535) {
            address.port = static_cast<std::uint16_t>(port);
        }
    } else if (lf_equalsIgnoringCase(key, "Protocol")) {
        address.ipv6 = lf_equalsIgnoringCase(value, "IPv6");
    }
}

}  // namespace

ServerAddress parseServerAddress(std::string_view configText, std::uint32_t configIndex) {
    ServerAddress address;
    const std::string wanted = lf_sectionName(configIndex);
    bool inSection = false;
    std::istringstream lines{std::string(configText)};
    std::string rawLine;
    while (std::getline(lines, rawLine)) {
        const std::string_view line = lf_trim(rawLine);
        if (line.empty() || line.front() == ';' || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos &&
                        lf_equalsIgnoringCase(lf_trim(line.substr(1, close - 1)), wanted);
            address.configured = address.configured || inSection;
            continue;
        }
        const auto equals = line.find('=');
        if (inSection && equals != std::string_view::npos) {
            lf_applyKey(address, lf_trim(line.substr(0, equals)), lf_trim(line.substr(equals + 1)));
        }
    }
    return address;
}

ServerAddress findServerAddress(std::uint32_t configIndex, const std::filesystem::path& folder) {
    std::ifstream file(folder.empty() ? std::filesystem::path(kConfigFileName) : folder / kConfigFileName,
                       std::ios::binary);
    if (!file) {
        return {};
    }
    std::ostringstream text;
    text << file.rdbuf();
    return parseServerAddress(text.str(), configIndex);
}

}  // namespace platform::simconnect
