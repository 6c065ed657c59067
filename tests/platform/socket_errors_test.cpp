#include "platform/net/socket_errors.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

TEST(SocketErrors, ErrnoMapsToTheWinsockCodeOfTheSameMeaning) {
    const std::pair<int, std::uint32_t> cases[] = {
        {EINTR, 10004},        {EBADF, 10009},        {EACCES, 10013},       {EINVAL, 10022},
        {EMFILE, 10024},       {EWOULDBLOCK, 10035},  {EAGAIN, 10035},       {EINPROGRESS, 10036},
        {ENOTSOCK, 10038},     {EMSGSIZE, 10040},     {EOPNOTSUPP, 10045},   {EAFNOSUPPORT, 10047},
        {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049}, {ENETUNREACH, 10051}, {ECONNABORTED, 10053},
        {ECONNRESET, 10054},   {EPIPE, 10054},        {ENOBUFS, 10055},      {ENOTCONN, 10057},
        {ETIMEDOUT, 10060},    {ECONNREFUSED, 10061}, {EHOSTUNREACH, 10065}, {ENOMEM, ENOMEM},
    };
    for (const auto& [errnoValue, winsock] : cases) {
        EXPECT_EQ(platform::winsockErrorFromErrno(errnoValue), winsock) << errnoValue;
    }
}

// A real failing call on loopback: binding a port that another socket holds.
TEST(SocketErrors, LastSocketErrorOfARealBind) {
    const int holder = ::socket(AF_INET, SOCK_DGRAM, 0);
    const int second = ::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(holder, 0);
    ASSERT_GE(second, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(holder, reinterpret_cast<sockaddr*>(&address), &length), 0);
    EXPECT_NE(::bind(second, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(platform::lastSocketError(), 10048U);
    ::close(second);
    ::close(holder);
}

}  // namespace
