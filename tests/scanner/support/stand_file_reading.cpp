#include "scanner/support/stand_file_reading.h"

#include "core/format.h"

namespace test {

namespace {

std::string lf_valueOr(const pugi::xml_node& node) {
    return node ? node.attribute("value").value() : std::string("<absent>");
}

}  // namespace

GeneratedStandFile::GeneratedStandFile(const std::filesystem::path& path)
    : loaded(static_cast<bool>(document.load_file(path.c_str()))) {}

std::string GeneratedStandFile::parameter(const std::string& name) const {
    return lf_valueOr(document.child("parameters").find_child_by_attribute("parameter", "name", name.c_str()));
}

std::string GeneratedStandFile::meta(const std::string& name) const {
    return lf_valueOr(document.child("meta").find_child_by_attribute("info", "name", name.c_str()));
}

std::vector<std::string> GeneratedStandFile::standIds() const {
    std::vector<std::string> ids;
    for (const pugi::xml_node stand : document.child("parkpositions").children("parkpos")) {
        ids.emplace_back(stand.attribute("id").value());
    }
    return ids;
}

pugi::xml_node GeneratedStandFile::stand(const std::string& id) const {
    return document.child("parkpositions").find_child_by_attribute("parkpos", "id", id.c_str());
}

}  // namespace test
