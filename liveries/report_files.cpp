#include "liveries/report_files.h"

#include <fstream>

bool gf_writeLines(const std::vector<std::string>& lines, const std::filesystem::path& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        file << line << '\n';
    }
    file.flush();
    return static_cast<bool>(file);
}
