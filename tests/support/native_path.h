#pragma once
// A relative path written with '/' as the program shows it in its log and
// messages: with the separator of this system ('\' on Windows).

#include <filesystem>
#include <string>
#include <string_view>

namespace test {

inline std::string nativePath(std::string_view path) {
    return std::filesystem::path(path).make_preferred().string();
}

}  // namespace test
