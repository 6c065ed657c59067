#include "platform/os/windows_paths.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

namespace platform {
namespace {

char lf_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool lf_isSeparator(char c) { return c == '\\' || c == '/'; }

bool lf_exists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// The root that the text begins with, and the text after it. Here a leading
// separator is the root "/". On Windows the system's own path knows the
// roots: a drive's ("C:\" or "C:/"), the working drive's ("\"), a share's
// ("\\server\share\"), and a drive alone ("C:"), which keeps the drive's
// working folder.
std::pair<std::filesystem::path, std::string_view> lf_splitRoot(std::string_view text) {
    if constexpr (std::filesystem::path::preferred_separator == '\\') {
        std::filesystem::path root = std::filesystem::path(std::string(text)).root_path();
        const std::size_t length = root.string().size();
        return {std::move(root), text.substr(length)};
    } else if (!text.empty() && lf_isSeparator(text.front())) {
        return {std::filesystem::path("/"), text.substr(1)};
    }
    return {std::filesystem::path(), text};
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lf_upper(x) == lf_upper(y); });
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char x, char y) { return lf_upper(x) == lf_upper(y); }) != text.end() ||
           part.empty();
}

bool folderOrderLess(std::string_view a, std::string_view b) {
    const auto upperLess = [](char x, char y) {
        return static_cast<unsigned char>(lf_upper(x)) < static_cast<unsigned char>(lf_upper(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), upperLess)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), upperLess)) {
        return false;
    }
    return a < b;
}

std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, std::string_view name) {
    std::filesystem::path exact = folder / std::filesystem::path(name);
    if (lf_exists(exact)) {
        return exact;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? std::filesystem::path(".") : folder, error);
    std::string best;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::string candidate = entries->path().filename().string();
        if (equalsIgnoringCase(candidate, name) && (best.empty() || folderOrderLess(candidate, best))) {
            best = std::move(candidate);
        }
    }
    return best.empty() ? exact : folder / best;
}

std::filesystem::path windowsPath(std::string_view text) { return windowsPath({}, text); }

std::filesystem::path windowsPath(const std::filesystem::path& base, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto [root, rest] = lf_splitRoot(text);
    text = rest;
    std::filesystem::path path = base / root;
    bool found = true;  // every element so far exists, so the next one can be looked for
    while (!text.empty()) {
        const auto end = std::ranges::find_if(text, lf_isSeparator);
        const std::string_view element(text.begin(), end);
        text.remove_prefix(element.size() + (end == text.end() ? 0 : 1));
        if (element.empty()) {
            continue;
        }
        if (found && element != "." && element != "..") {
            path = findIgnoringCase(path, element);
            found = lf_exists(path);
        } else {
            path /= std::filesystem::path(element);
        }
    }
    return path;
}

bool staysInside(std::string_view text) {
    if (text.empty() || lf_isSeparator(text.front()) || text.find(':') != std::string_view::npos) {
        return false;
    }
    std::size_t depth = 0;
    while (!text.empty()) {
        const auto end = std::ranges::find_if(text, lf_isSeparator);
        const std::string_view element(text.begin(), end);
        text.remove_prefix(element.size() + (end == text.end() ? 0 : 1));
        if (element.empty() || element == ".") {
            continue;
        }
        if (element.find_first_not_of(". ") != std::string_view::npos) {
            ++depth;
        } else if (element != ".." || depth == 0) {
            return false;
        } else {
            --depth;
        }
    }
    return true;
}

std::vector<std::filesystem::directory_entry> sortedFolderEntries(const std::filesystem::path& folder) {
    std::vector<std::pair<std::string, std::filesystem::directory_entry>> named;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        named.emplace_back(entry.path().filename().string(), entry);
    }
    std::ranges::sort(named, [](const auto& a, const auto& b) { return folderOrderLess(a.first, b.first); });
    std::vector<std::filesystem::directory_entry> entries;
    entries.reserve(named.size());
    for (auto& [name, entry] : named) {
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace platform
