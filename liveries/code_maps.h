#pragma once
// Hash maps and sets keyed by codes and titles (airline codes, type
// designators, registrations, livery titles): the key's bytes hashed with
// 64-bit FNV-1a and compared exactly, so "klm" and "KLM" are two keys. The
// maps look up std::string_view keys without building a std::string, which
// keeps a livery match free of allocations.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

struct Fnv1aHash {
    using is_transparent = void;

    // Offset basis and prime of the 64-bit variant.
    static constexpr std::uint64_t kOffsetBasis = 14695981039346656037ULL;
    static constexpr std::uint64_t kPrime = 1099511628211ULL;

    std::size_t operator()(std::string_view key) const noexcept {
        std::uint64_t hash = kOffsetBasis;
        for (const char c : key) {
            hash ^= static_cast<unsigned char>(c);
            hash *= kPrime;
        }
        return static_cast<std::size_t>(hash);
    }
};

template <class Value>
using CodeMap = std::unordered_map<std::string, Value, Fnv1aHash, std::equal_to<>>;

// A set of views: the viewed strings must outlive the set.
using ViewSet = std::unordered_set<std::string_view, Fnv1aHash, std::equal_to<>>;
