#include "traffic/uncreatable_titles_seam.h"

std::set<std::string> uncreatableKinds;

std::vector<std::string> gf_listUncreatableTitles() {
    std::vector<std::string> lines;
    lines.reserve(uncreatableKinds.size());
    for (const std::string& kind : uncreatableKinds) {
        lines.push_back("  " + kind);
    }
    return lines;
}
