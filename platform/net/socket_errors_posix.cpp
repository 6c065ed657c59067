#include "platform/net/socket_errors.h"

#include <cerrno>
#include <utility>

namespace platform {
namespace {

// Winsock numbers its codes as 10000 plus the BSD errno of the same name;
// Linux numbers errno differently, hence the table.
constexpr std::pair<int, std::uint32_t> kErrnoToWinsock[] = {
    {EINTR, 10004},
    {EBADF, 10009},
    {EACCES, 10013},
    {EPERM, 10013},  // Linux reports a socket call refused by policy with EPERM
    {EFAULT, 10014},
    {EINVAL, 10022},
    {EMFILE, 10024},
    {ENFILE, 10024},
    {EWOULDBLOCK, 10035},  // the same value as EAGAIN on Linux
    {EINPROGRESS, 10036},
    {EALREADY, 10037},
    {ENOTSOCK, 10038},
    {EDESTADDRREQ, 10039},
    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},
    {ENOPROTOOPT, 10042},
    {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},
    {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047},
    {EADDRINUSE, 10048},
    {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},
    {ENETUNREACH, 10051},
    {ENETRESET, 10052},
    {ECONNABORTED, 10053},
    {ECONNRESET, 10054},
    {EPIPE, 10054},  // a send to a peer that has gone: Winsock says reset
    {ENOBUFS, 10055},
    {EISCONN, 10056},
    {ENOTCONN, 10057},
    {ESHUTDOWN, 10058},
    {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061},
    {ELOOP, 10062},
    {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},
    {EHOSTUNREACH, 10065},
    {ENOTEMPTY, 10066},
    {EUSERS, 10068},
    {EDQUOT, 10069},
    {ESTALE, 10070},
    {EREMOTE, 10071},
};

}  // namespace

std::uint32_t winsockErrorFromErrno(int errnoValue) {
    for (const auto& [posix, winsock] : kErrnoToWinsock) {
        if (posix == errnoValue) {
            return winsock;
        }
    }
    return static_cast<std::uint32_t>(errnoValue);
}

std::uint32_t lastSocketError() { return winsockErrorFromErrno(errno); }

}  // namespace platform
