#include "liveries/text_store.h"

#include <algorithm>
#include <cstring>

std::string_view TextStore::keep(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > capacity_ - used_) {
        capacity_ = std::max(kBlockSize, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
        used_ = 0;
    }
    char* copy = blocks_.back().get() + used_;
    std::memcpy(copy, text.data(), text.size());
    used_ += text.size();
    return {copy, text.size()};
}

void TextStore::clear() {
    blocks_.clear();
    used_ = 0;
    capacity_ = 0;
}
