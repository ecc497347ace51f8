// POSIX implementation of the socket operations. errno values are translated
// into Winsock's numbers so the HTTP client's messages read the same on every
// system.
#include "platform/Sockets.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

int WinsockNumber(int err) {
    switch (err) {
        case 0:
            return 0;
        case EINTR:
            return 10004;
        case EBADF:
            return 10009;
        case EACCES:
            return 10013;
        case EFAULT:
            return 10014;
        case EINVAL:
            return 10022;
        case EMFILE:
        case ENFILE:
            return 10024;
        case EWOULDBLOCK:
            return 10035;
        case EINPROGRESS:
            return 10036;
        case EALREADY:
            return 10037;
        case ENOTSOCK:
            return 10038;
        case EDESTADDRREQ:
            return 10039;
        case EMSGSIZE:
            return 10040;
        case EPROTOTYPE:
            return 10041;
        case ENOPROTOOPT:
            return 10042;
        case EPROTONOSUPPORT:
            return 10043;
        case ESOCKTNOSUPPORT:
            return 10044;
        case EOPNOTSUPP:
            return 10045;
        case EPFNOSUPPORT:
            return 10046;
        case EAFNOSUPPORT:
            return 10047;
        case EADDRINUSE:
            return 10048;
        case EADDRNOTAVAIL:
            return 10049;
        case ENETDOWN:
            return 10050;
        case ENETUNREACH:
            return 10051;
        case ENETRESET:
            return 10052;
        case ECONNABORTED:
            return 10053;
        // Writing to a connection the peer has reset: Windows reports a reset.
        case ECONNRESET:
        case EPIPE:
            return 10054;
        case ENOBUFS:
        case ENOMEM:
            return 10055;
        case EISCONN:
            return 10056;
        case ENOTCONN:
            return 10057;
        case ESHUTDOWN:
            return 10058;
        case ETOOMANYREFS:
            return 10059;
        case ETIMEDOUT:
            return 10060;
        case ECONNREFUSED:
            return 10061;
        case ELOOP:
            return 10062;
        case ENAMETOOLONG:
            return 10063;
        case EHOSTDOWN:
            return 10064;
        case EHOSTUNREACH:
            return 10065;
        case ENOTEMPTY:
            return 10066;
        default:
            return err;
    }
}

int LastError() { return WinsockNumber(errno); }

int Fd(SocketHandle s) { return static_cast<int>(s); }

int Family(IpVersion v) { return v == IpVersion::ipV6 ? AF_INET6 : AF_INET; }

}  // namespace

SocketStartup StartSockets() { return {}; }

int CreateTcpSocket(IpVersion version, SocketHandle& out) {
    out = kNoSocket;
    const int fd = ::socket(Family(version), SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) return LastError();
    out = static_cast<SocketHandle>(fd);
    return 0;
}

int BindAnyAddress(SocketHandle socket, IpVersion version) {
    if (version == IpVersion::ipV6) {
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        a.sin6_addr = in6addr_any;
        return ::bind(Fd(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    return ::bind(Fd(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
}

int SetNoDelay(SocketHandle socket, bool noDelay) {
    const int v = noDelay ? 1 : 0;
    return ::setsockopt(Fd(socket), IPPROTO_TCP, TCP_NODELAY, &v, sizeof v) == 0 ? 0 : LastError();
}

int ResolveHost(const std::string& host, IpVersion version, std::string& address) {
    addrinfo hints{};
    hints.ai_family = Family(version);
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) return kHostNotFound;
    char text[INET6_ADDRSTRLEN] = {};
    const void* raw = version == IpVersion::ipV6
                          ? static_cast<const void*>(&reinterpret_cast<sockaddr_in6*>(list->ai_addr)->sin6_addr)
                          : static_cast<const void*>(&reinterpret_cast<sockaddr_in*>(list->ai_addr)->sin_addr);
    const bool ok = ::inet_ntop(Family(version), raw, text, sizeof text) != nullptr;
    ::freeaddrinfo(list);
    if (!ok) return kHostNotFound;
    address = text;
    return 0;
}

int ConnectSocket(SocketHandle socket, IpVersion version, const std::string& address, int port) {
    if (version == IpVersion::ipV6) {
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        a.sin6_port = htons(static_cast<std::uint16_t>(port));
        if (::inet_pton(AF_INET6, address.c_str(), &a.sin6_addr) != 1) return 10022;
        return ::connect(Fd(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::inet_pton(AF_INET, address.c_str(), &a.sin_addr) != 1) return 10022;
    return ::connect(Fd(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
}

int WaitReadable(SocketHandle socket, int timeoutMs, bool& readable) {
    readable = false;
    pollfd p{};
    p.fd = Fd(socket);
    p.events = POLLIN;
    for (;;) {
        const int n = ::poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastError();
        if (n > 0 && (p.revents & POLLNVAL) != 0) return kNotASocket;
        readable = n > 0;
        return 0;
    }
}

int ReceiveBytes(SocketHandle socket, char* buffer, std::size_t size, std::size_t& received) {
    received = 0;
    for (;;) {
        const ssize_t n = ::recv(Fd(socket), buffer, size, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastError();
        received = static_cast<std::size_t>(n);
        return 0;
    }
}

int SendBytes(SocketHandle socket, const char* data, std::size_t size, std::size_t& sent) {
    sent = 0;
    for (;;) {
        const ssize_t n = ::send(Fd(socket), data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastError();
        sent = static_cast<std::size_t>(n);
        return 0;
    }
}

int ShutdownSending(SocketHandle socket) { return ::shutdown(Fd(socket), SHUT_WR) == 0 ? 0 : LastError(); }

int CloseSocket(SocketHandle socket) { return ::close(Fd(socket)) == 0 ? 0 : LastError(); }

int ListenLoopback(SocketHandle socket, int port, int backlog) {
    const int one = 1;
    ::setsockopt(Fd(socket), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(Fd(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return LastError();
    return ::listen(Fd(socket), backlog) == 0 ? 0 : LastError();
}

int LocalPort(SocketHandle socket, int& port) {
    sockaddr_storage a{};
    socklen_t len = sizeof a;
    if (::getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&a), &len) != 0) return LastError();
    port = a.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&a)->sin6_port)
                                   : ntohs(reinterpret_cast<sockaddr_in*>(&a)->sin_port);
    return 0;
}

int AcceptConnection(SocketHandle socket, SocketHandle& out) {
    out = kNoSocket;
    for (;;) {
        const int fd = ::accept4(Fd(socket), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0 && errno == EINTR) continue;
        if (fd < 0) return LastError();
        out = static_cast<SocketHandle>(fd);
        return 0;
    }
}

}  // namespace platform
