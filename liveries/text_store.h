#pragma once
// Copies of many short texts kept in a few large blocks: one allocation per
// block instead of one per text, and a block never moves, so the views that
// keep() returns stay valid until clear().

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class TextStore {
public:
    std::string_view keep(std::string_view text);
    void clear();

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0;      // bytes taken in the last block
    std::size_t capacity_ = 0;  // bytes of the last block
};
