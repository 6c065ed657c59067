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

    // Not noexcept on purpose: the standard library then keeps each key's
    // hash in its node (libstdc++ does so for a hash that may throw), so a
    // lookup compares stored hashes while it walks a bucket and a rehash
    // moves nodes without hashing every key again. A catalogue of tens of
    // thousands of titles otherwise hashes each title many times over.
    std::size_t operator()(std::string_view key) const {
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
// A map keyed by views: the viewed strings must outlive the map.
template <class Value>
using ViewMap = std::unordered_map<std::string_view, Value, Fnv1aHash, std::equal_to<>>;
