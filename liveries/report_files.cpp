#include "liveries/report_files.h"

#include <fstream>

namespace {

template <class Lines>
bool lf_writeLines(const Lines& lines, const std::filesystem::path& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        file << line << '\n';
    }
    file.flush();
    return static_cast<bool>(file);
}

}  // namespace

bool gf_writeLines(const std::vector<std::string>& lines, const std::filesystem::path& path) {
    return lf_writeLines(lines, path);
}

bool gf_writeLinesList(const std::list<std::string>& lines, const std::filesystem::path& path) {
    return lf_writeLines(lines, path);
}
