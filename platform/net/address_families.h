#pragma once
// The address families that callers of the socket layer name (AF_UNSPEC,
// AF_INET, AF_INET6). POSIX declares them in <sys/socket.h>; on Windows they
// come from Winsock's headers, which bring <windows.h> with them, so they
// are defined here with Winsock's own values (the same definitions as
// Winsock's, which may meet them in one file).

#ifdef _WIN32
#ifndef AF_UNSPEC
#define AF_UNSPEC 0
#endif
#ifndef AF_INET
#define AF_INET 2
#endif
#ifndef AF_INET6
#define AF_INET6 23
#endif
#else
#include <sys/socket.h>
#endif
