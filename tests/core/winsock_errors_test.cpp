#include "core/winsock_errors.h"

#include <gtest/gtest.h>

namespace {

TEST(WinsockErrorText, CodeThenItsMessage) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {10048, "10048 Address already in use"},
        {10004, "10004 Interrupted system call"},
        {10035, "10035 Operation would block"},
        {10061, "10061 Connection refused"},
        {11004, "11004 No host data of that type was found"},
        {11002, "11002 Unknown errror code"},
        {0, "0 Unknown errror code"},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(gf_winsockErrorText(code), text);
    }
}

}  // namespace
