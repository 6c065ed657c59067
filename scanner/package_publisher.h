#pragma once
// The publisher of an add-on airport found in a BGL file: "simaddon" for the
// simulator maker's own airports, the name of a scenery publisher that the
// aircraft database knows, or "unknown". It decides where the airport's
// stand file goes and which archived stand file it is compared with. It is
// read from the BGL file's path and, failing that, from the manifest.json of
// the package that holds the file. Every step is written to the scan log
// (scanner/scan_log.h), not to Log.txt.
//
// Called from the scan's worker threads; gf_determinePublisher runs under
// the scan's link mutex. The database's publisher groups are only read.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "airports/stand_file.h"

// What the program takes from a package's manifest.json.
struct ManifestInfo {
    std::string manufacturer;  // "manufacturer"
    std::string creator;       // "creator"
    std::string title;         // "title"
};

// The publisher of an airport with what the package's manifest says of its
// maker; the manifest's texts stay empty when no manifest was read.
struct PublisherRecord {
    std::string publisher = "unknown";  // "simaddon", a publisher's name or "unknown"
    std::string manufacturer;
    std::string creator;
    std::string title;
};

// The folder's file named exactly "manifest.json"; the empty path when there
// is none or the folder is no folder. A file-system error other than a
// missing entry is thrown.
std::filesystem::path findManifestFile(const std::filesystem::path& folder);

// The manifest's texts; none when the file has no line or is no JSON object.
// A key whose value is a number, a boolean or a non-empty array or object
// throws nlohmann::json::type_error.
std::optional<ManifestInfo> readManifest(const std::filesystem::path& file);

// The key's string; "" when the key is missing or holds null, [] or {}.
// Throws nlohmann::json::type_error for any other value that is no string.
std::string jsonStringOr(const nlohmann::json& object, std::string_view key);

// The manifest of the package that holds the file: below a Community
// folder the package folder's own manifest, else (or when that gives none)
// the first manifest found going up from the file's folder, the root
// excluded. Logs "<manifest path> found" for each manifest read and
// "exception in gf_searchManifest: {}" for a failure, which gives none.
std::optional<ManifestInfo> gf_searchManifest(std::string_view path);

// The publisher of the airport of the BGL file: "simaddon" when the path
// holds "microsoft-airport" or "asobo-airport" in any case; else a
// publisher named in the path; else one named by the manifest's
// manufacturer, then by its creator; else "unknown". Each way is logged.
PublisherRecord gf_determinePublisher(std::string_view bglPath);
