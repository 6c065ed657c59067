#include "airports/stand_file_publisher.h"

#include <pugixml.hpp>

#include "airports/stand_file.h"
#include "core/format.h"

namespace {

// Shorter makers' names say nothing about who made the scenery.
constexpr std::size_t kTellingNameLength = 4;

}  // namespace

std::string gf_readPublisher(const std::filesystem::path& path) {
    pugi::xml_document document;
    if (!document.load_file(path.c_str())) {
        return {};
    }
    return readStringParameter(document, "publisher").value_or("");
}

std::string gf_readPublisherDetails(const std::filesystem::path& path) {
    pugi::xml_document document;
    if (!document.load_file(path.c_str())) {
        return fmtlib::format("'{}' not found)", path.string());
    }
    const std::optional<std::string> publisher = readStringParameter(document, "publisher");
    if (publisher && *publisher != kUnknownPublisher) {
        return {};
    }
    const std::string manufacturer = readStringParameter(document, "manufacturer").value_or("");
    const std::string creator = readStringParameter(document, "creator").value_or("");
    if (manufacturer.size() < kTellingNameLength && creator.size() < kTellingNameLength) {
        return {};
    }
    return fmtlib::format("{}={}, {}={}", "manufacturer", manufacturer, "creator", creator);
}
