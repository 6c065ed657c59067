#include "liveries/title_index.h"

#include "liveries/code_maps.h"

namespace {

constexpr std::size_t kMinimumSlots = 16;

}  // namespace

void TitleIndex::build(std::vector<std::string_view> titles) {
    titles_ = std::move(titles);
    std::size_t slotCount = kMinimumSlots;
    while (slotCount < 2 * titles_.size()) {
        slotCount *= 2;
    }
    slots_.assign(slotCount, Slot{});
    const std::size_t mask = slotCount - 1;
    for (std::uint32_t position = 0; position < titles_.size(); ++position) {
        const std::string_view title = titles_[position];
        const std::uint64_t hash = Fnv1aHash{}(title);
        const auto hashCheck = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
            Slot& slot = slots_[index];
            if (slot.position == kEmpty) {
                slot = {hashCheck, position};
                break;
            }
            if (slot.hashCheck == hashCheck && titles_[slot.position] == title) {
                break;  // an equal title came first
            }
        }
    }
}

std::string_view TitleIndex::find(std::string_view title) const {
    if (slots_.empty()) {
        return {};
    }
    const std::uint64_t hash = Fnv1aHash{}(title);
    const auto hashCheck = static_cast<std::uint32_t>(hash >> 32);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
        const Slot& slot = slots_[index];
        if (slot.position == kEmpty) {
            return {};
        }
        if (slot.hashCheck == hashCheck && titles_[slot.position] == title) {
            return titles_[slot.position];
        }
    }
}

void TitleIndex::clear() {
    titles_.clear();
    slots_.clear();
}
