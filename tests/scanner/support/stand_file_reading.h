#pragma once
// Reading back the stand files the scan generates, for the scanner's tests.

#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace test {

struct GeneratedStandFile {
    pugi::xml_document document;
    bool loaded = false;

    explicit GeneratedStandFile(const std::filesystem::path& path);
    // The value of the named parameter; "<absent>" without one.
    std::string parameter(const std::string& name) const;
    // The meta entry's value; "<absent>" without one.
    std::string meta(const std::string& name) const;
    // The id of every <parkpos>, in file order.
    std::vector<std::string> standIds() const;
    // The <parkpos> of that id (an empty node without one).
    pugi::xml_node stand(const std::string& id) const;
};

}  // namespace test
