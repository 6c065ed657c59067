#pragma once
// A set of title views for exact lookups, laid out flat: an open-addressing
// table of positions into the viewed titles with each title's hash beside
// it, so a lookup reads one or two adjacent slots instead of following
// list nodes, and the set is emptied without freeing a node per title.

#include <cstdint>
#include <string_view>
#include <vector>

class TitleIndex {
public:
    // Indexes the titles, replacing what was indexed; the viewed strings
    // must outlive the index. Of equal titles the first is the one found.
    void build(std::vector<std::string_view> titles);
    // The indexed view equal to the title; empty when there is none.
    std::string_view find(std::string_view title) const;
    void clear();

private:
    static constexpr std::uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        std::uint32_t hashCheck = 0;  // the upper half of the title's hash
        std::uint32_t position = kEmpty;  // in titles_
    };

    std::vector<std::string_view> titles_;
    std::vector<Slot> slots_;  // a power of two, at most half full
};
