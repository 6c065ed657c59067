#pragma once
// SimConnect.cfg: where a SimConnect client finds the simulator. The file in
// the working folder has one section per configuration index ([SimConnect]
// for 0, [SimConnect.N] for N) with the keys Protocol, Address and Port:
//
//   [SimConnect]
//   Protocol=IPv4
//   Address=192.168.1.20
//   Port=500
//
// Keys and section names are read without regard to case; a missing file,
// section or key, or a port that is no number from 1 to 65535, leaves the
// default (127.0.0.1, port 500). Protocol IPv6 resolves the address as IPv6.
// Without the section a client on the simulator's own PC tries the
// simulator's local named pipe before the default address.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform::simconnect {

struct ServerAddress {
    std::string host = "127.0.0.1";
    std::uint16_t port = 500;
    bool ipv6 = false;
    // SimConnect.cfg has the section of the configuration index.
    bool configured = false;
};

inline constexpr const char* kConfigFileName = "SimConnect.cfg";

ServerAddress parseServerAddress(std::string_view configText, std::uint32_t configIndex);
// Reads SimConnect.cfg in the folder (the working folder when empty).
ServerAddress findServerAddress(std::uint32_t configIndex, const std::filesystem::path& folder = {});

}  // namespace platform::simconnect
