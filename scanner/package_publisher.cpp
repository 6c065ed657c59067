#include "scanner/package_publisher.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string>

#include "core/format.h"
#include "core/strings.h"
#include "core/text_files.h"
#include "liveries/aircraft_database.h"
#include "scanner/scan_log.h"

namespace fs = std::filesystem;

namespace {

// A manifest.json is a few dozen lines long.
constexpr std::size_t kManifestExpectedLines = 64;
// Paths of the simulator maker's own airport packages hold one of these.
constexpr std::array<std::string_view, 2> kSimaddonPathWords = {"microsoft-airport", "asobo-airport"};

std::string lf_lowerCase(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), toLowerChar);
    return lower;
}

// Logs the manifest as found and reads it.
std::optional<ManifestInfo> lf_readFoundManifest(const fs::path& manifest) {
    addScanLogLine(manifest.string() + " found");
    return readManifest(manifest);
}

// The package folder of a path below a Community folder: the path up to the
// element that follows the first element "Community"; empty without one.
fs::path lf_communityPackageFolder(const fs::path& path) {
    fs::path folder;
    bool communityPassed = false;
    for (const fs::path& element : path) {
        folder /= element;
        if (communityPassed) {
            return folder;
        }
        communityPassed = element == "Community";
    }
    return {};
}

std::optional<ManifestInfo> lf_searchManifestUnguarded(std::string_view pathText) {
    const fs::path path(pathText);
    constexpr std::size_t kShortestPackagePath = 8;
    if (pathText.size() > kShortestPackagePath && pathText.find("Community") != std::string_view::npos) {
        const fs::path package = lf_communityPackageFolder(path);
        if (!package.empty() && fs::exists(package)) {
            if (const fs::path manifest = findManifestFile(package); !manifest.empty()) {
                if (std::optional<ManifestInfo> info = lf_readFoundManifest(manifest)) {
                    return info;
                }
            }
        }
    }
    for (fs::path folder = path.parent_path(); !folder.empty() && folder != folder.parent_path();
         folder = folder.parent_path()) {
        if (const fs::path manifest = findManifestFile(folder); !manifest.empty()) {
            if (std::optional<ManifestInfo> info = lf_readFoundManifest(manifest)) {
                return info;
            }
        }
    }
    return std::nullopt;
}

PublisherRecord lf_withPublisher(std::string publisher) {
    PublisherRecord record;
    record.publisher = std::move(publisher);
    return record;
}

PublisherRecord lf_withManifest(std::string publisher, const ManifestInfo& manifest) {
    return {std::move(publisher), manifest.manufacturer, manifest.creator, manifest.title};
}

}  // namespace

fs::path findManifestFile(const fs::path& folder) {
    if (!fs::is_directory(folder)) {
        return {};
    }
    fs::path manifest = folder / "manifest.json";
    return fs::is_regular_file(manifest) ? manifest : fs::path();
}

std::optional<ManifestInfo> readManifest(const fs::path& file) {
    TextFileLines manifest{file, {}};
    const std::vector<std::string>& lines = gf_readLines(manifest, kManifestExpectedLines);
    if (lines.empty()) {
        return std::nullopt;
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line;
    }
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (!document.is_object()) {  // a parse failure gives a discarded value, which is no object
        return std::nullopt;
    }
    return ManifestInfo{jsonStringOr(document, "manufacturer"), jsonStringOr(document, "creator"),
                        jsonStringOr(document, "title")};
}

std::string jsonStringOr(const nlohmann::json& object, std::string_view key) {
    const auto value = object.find(key);
    if (value == object.end() || value->empty()) {  // empty: null, [] or {}
        return {};
    }
    return value->get<std::string>();
}

std::optional<ManifestInfo> gf_searchManifest(std::string_view path) {
    try {
        return lf_searchManifestUnguarded(path);
    } catch (const std::exception& error) {
        addScanLogLine(fmtlib::format("exception in gf_searchManifest: {}", error.what()));
    }
    return std::nullopt;
}

PublisherRecord gf_determinePublisher(std::string_view bglPath) {
    addScanLogLine(fmtlib::format("\nTry find publisher in: {}", bglPath));
    const std::string lowerPath = lf_lowerCase(bglPath);
    if (std::ranges::any_of(kSimaddonPathWords,
                            [&lowerPath](std::string_view word) { return lowerPath.find(word) != std::string::npos; })) {
        addScanLogLine(fmtlib::format("from filename => publisher {}", kSimaddonPublisher));
        return lf_withPublisher(std::string(kSimaddonPublisher));
    }
    if (std::string publisher = gf_findPublisher(bglPath); publisher != kUnknownPublisher) {
        addScanLogLine(fmtlib::format("publisher '{}' found", publisher));
        return lf_withPublisher(std::move(publisher));
    }
    const std::optional<ManifestInfo> manifest = gf_searchManifest(bglPath);
    if (!manifest) {
        addScanLogLine(fmtlib::format("{}No publisher found", "===> "));
        return {};
    }
    if (!manifest->manufacturer.empty()) {
        if (std::string publisher = gf_findPublisher(manifest->manufacturer); publisher != kUnknownPublisher) {
            addScanLogLine(fmtlib::format("from manifest.json: manufacturer '{}' => publisher '{}'",
                                          manifest->manufacturer, publisher));
            return lf_withManifest(std::move(publisher), *manifest);
        }
    }
    if (!manifest->creator.empty()) {
        if (std::string publisher = gf_findPublisher(manifest->creator); publisher != kUnknownPublisher) {
            addScanLogLine(
                fmtlib::format("from manifest.json: creator '{}' => publisher '{}'", manifest->creator, publisher));
            return lf_withManifest(std::move(publisher), *manifest);
        }
    }
    addScanLogLine(fmtlib::format("no valid info found in manifest about publisher, manufacturer:'{}', creator:'{}' {}",
                                  manifest->manufacturer, manifest->creator, bglPath));
    return lf_withManifest(std::string(kUnknownPublisher), *manifest);
}
