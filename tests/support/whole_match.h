#pragma once
// A matcher for a whole text against an ECMAScript regular expression, the
// same on every system. gtest's own MatchesRegex uses POSIX expressions on
// Linux but a simple syntax of its own on Windows, which has no brackets,
// groups or alternatives.

#include <gmock/gmock.h>

#include <regex>
#include <string>

namespace test {

MATCHER_P(MatchesWhole, pattern, "matches the regular expression \"" + std::string(pattern) + "\"") {
    return std::regex_match(std::string(arg), std::regex(pattern));
}

}  // namespace test
