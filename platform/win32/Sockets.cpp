// Winsock 2 implementation of the socket operations. The library is loaded by
// name at first use and every function is looked up by name, so the program
// carries no import of WS2_32.DLL and a missing or broken library is reported
// as a start-up failure instead of stopping the program's start.
#include "platform/Sockets.h"
#include "platform/OsError.h"

#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstring>
#include <mutex>

namespace platform {
namespace {

using FnWSAStartup = int(WSAAPI*)(WORD, LPWSADATA);
using FnWSAGetLastError = int(WSAAPI*)();
using FnSocket = SOCKET(WSAAPI*)(int, int, int);
using FnBind = int(WSAAPI*)(SOCKET, const sockaddr*, int);
using FnSetsockopt = int(WSAAPI*)(SOCKET, int, int, const char*, int);
using FnGethostbyname = hostent*(WSAAPI*)(const char*);
using FnConnect = int(WSAAPI*)(SOCKET, const sockaddr*, int);
using FnGetsockname = int(WSAAPI*)(SOCKET, sockaddr*, int*);
using FnSelect = int(WSAAPI*)(int, fd_set*, fd_set*, fd_set*, const timeval*);
using FnRecv = int(WSAAPI*)(SOCKET, char*, int, int);
using FnSend = int(WSAAPI*)(SOCKET, const char*, int, int);
using FnShutdown = int(WSAAPI*)(SOCKET, int);
using FnClosesocket = int(WSAAPI*)(SOCKET);
using FnListen = int(WSAAPI*)(SOCKET, int);
using FnAccept = SOCKET(WSAAPI*)(SOCKET, sockaddr*, int*);
using FnGetaddrinfo = int(WSAAPI*)(PCSTR, PCSTR, const ADDRINFOA*, PADDRINFOA*);
using FnFreeaddrinfo = void(WSAAPI*)(PADDRINFOA);

struct Winsock {
    FnWSAStartup startup = nullptr;
    FnWSAGetLastError lastError = nullptr;
    FnSocket socket = nullptr;
    FnBind bind = nullptr;
    FnSetsockopt setsockopt = nullptr;
    FnGethostbyname gethostbyname = nullptr;
    FnConnect connect = nullptr;
    FnGetsockname getsockname = nullptr;
    FnSelect select = nullptr;
    FnRecv recv = nullptr;
    FnSend send = nullptr;
    FnShutdown shutdown = nullptr;
    FnClosesocket closesocket = nullptr;
    FnListen listen = nullptr;
    FnAccept accept = nullptr;
    // IPv6 name resolution only; absent on systems without it.
    FnGetaddrinfo getaddrinfo = nullptr;
    FnFreeaddrinfo freeaddrinfo = nullptr;
};

Winsock g_ws;
SocketStartup g_startup;
std::once_flag g_once;

template <typename F>
bool Bind(HMODULE lib, const char* name, F& out) {
    out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
    return out != nullptr;
}

SocketStartup Load() {
    const char* libName = "WS2_32.DLL";
    HMODULE lib = LoadLibraryA(libName);
    if (lib == nullptr) {
        const int code = LastErrorCode();
        return {SocketStartup::ssLibraryMissing, libName, code != 0 ? ErrorText(code) : std::string()};
    }
    struct Entry {
        const char* name;
        bool ok;
    };
    const Entry entries[] = {
        {"WSAStartup", Bind(lib, "WSAStartup", g_ws.startup)},
        {"WSAGetLastError", Bind(lib, "WSAGetLastError", g_ws.lastError)},
        {"socket", Bind(lib, "socket", g_ws.socket)},
        {"bind", Bind(lib, "bind", g_ws.bind)},
        {"setsockopt", Bind(lib, "setsockopt", g_ws.setsockopt)},
        {"gethostbyname", Bind(lib, "gethostbyname", g_ws.gethostbyname)},
        {"connect", Bind(lib, "connect", g_ws.connect)},
        {"getsockname", Bind(lib, "getsockname", g_ws.getsockname)},
        {"select", Bind(lib, "select", g_ws.select)},
        {"recv", Bind(lib, "recv", g_ws.recv)},
        {"send", Bind(lib, "send", g_ws.send)},
        {"shutdown", Bind(lib, "shutdown", g_ws.shutdown)},
        {"closesocket", Bind(lib, "closesocket", g_ws.closesocket)},
        {"listen", Bind(lib, "listen", g_ws.listen)},
        {"accept", Bind(lib, "accept", g_ws.accept)},
    };
    for (const Entry& e : entries) {
        if (!e.ok) return {SocketStartup::ssFunctionMissing, e.name, {}};
    }
    // IPv6 resolution lives in Wship6.dll on old systems and in WS2_32.DLL since.
    if (HMODULE v6 = LoadLibraryA("Wship6.dll")) {
        Bind(v6, "getaddrinfo", g_ws.getaddrinfo);
        Bind(v6, "freeaddrinfo", g_ws.freeaddrinfo);
    }
    if (g_ws.getaddrinfo == nullptr || g_ws.freeaddrinfo == nullptr) {
        Bind(lib, "getaddrinfo", g_ws.getaddrinfo);
        Bind(lib, "freeaddrinfo", g_ws.freeaddrinfo);
    }
    WSADATA data{};
    if (g_ws.startup(MAKEWORD(2, 2), &data) != 0) return {SocketStartup::ssStartupFailed, "WSAStartup", {}};
    return {};
}

bool Ready() {
    std::call_once(g_once, [] { g_startup = Load(); });
    return g_startup.kind == SocketStartup::ssOk;
}

// The error number of a failed call; WSANOTINITIALISED when the stack is not up.
int LastError() { return g_ws.lastError != nullptr ? g_ws.lastError() : WSANOTINITIALISED; }

SOCKET S(SocketHandle s) { return static_cast<SOCKET>(s); }

std::uint16_t NetOrder(int port) {
    const auto p = static_cast<std::uint16_t>(port);
    return static_cast<std::uint16_t>((p >> 8) | (p << 8));
}

// Dotted IPv4 text into a network-order address; false when it is not one.
bool ParseIpv4(const std::string& text, in_addr& out) {
    unsigned parts[4] = {};
    int n = 0;
    std::size_t i = 0;
    while (n < 4) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        unsigned v = 0;
        std::size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            v = v * 10 + static_cast<unsigned>(text[i] - '0');
            ++i;
            ++digits;
        }
        if (v > 255) return false;
        parts[n++] = v;
        if (n < 4) {
            if (i >= text.size() || text[i] != '.') return false;
            ++i;
        }
    }
    if (i != text.size()) return false;
    const unsigned char bytes[4] = {static_cast<unsigned char>(parts[0]), static_cast<unsigned char>(parts[1]),
                                    static_cast<unsigned char>(parts[2]), static_cast<unsigned char>(parts[3])};
    std::memcpy(&out.s_addr, bytes, 4);
    return true;
}

bool ParseIpv6(const std::string& text, sockaddr_in6& out) {
    if (g_ws.getaddrinfo == nullptr) return false;
    ADDRINFOA hints{};
    hints.ai_family = AF_INET6;
    hints.ai_flags = AI_NUMERICHOST;
    PADDRINFOA list = nullptr;
    if (g_ws.getaddrinfo(text.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) return false;
    std::memcpy(&out, list->ai_addr, sizeof out);
    g_ws.freeaddrinfo(list);
    return true;
}

}  // namespace

SocketStartup StartSockets() {
    Ready();
    return g_startup;
}

int CreateTcpSocket(IpVersion version, SocketHandle& out) {
    out = kNoSocket;
    if (!Ready()) return WSANOTINITIALISED;
    const SOCKET s = g_ws.socket(version == IpVersion::ipV6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return LastError();
    out = static_cast<SocketHandle>(s);
    return 0;
}

int BindAnyAddress(SocketHandle socket, IpVersion version) {
    if (!Ready()) return WSANOTINITIALISED;
    if (version == IpVersion::ipV6) {
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        return g_ws.bind(S(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    return g_ws.bind(S(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
}

int SetNoDelay(SocketHandle socket, bool noDelay) {
    if (!Ready()) return WSANOTINITIALISED;
    const BOOL v = noDelay ? TRUE : FALSE;
    return g_ws.setsockopt(S(socket), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&v), sizeof v) == 0
               ? 0
               : LastError();
}

int ResolveHost(const std::string& host, IpVersion version, std::string& address) {
    if (!Ready()) return WSANOTINITIALISED;
    if (version == IpVersion::ipV6) {
        if (g_ws.getaddrinfo == nullptr) return kHostNotFound;
        ADDRINFOA hints{};
        hints.ai_family = AF_INET6;
        hints.ai_socktype = SOCK_STREAM;
        PADDRINFOA list = nullptr;
        if (g_ws.getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || list == nullptr) return kHostNotFound;
        // Kept as a numeric text; ConnectSocket parses it back.
        const auto* a = reinterpret_cast<const sockaddr_in6*>(list->ai_addr);
        char text[64] = {};
        int pos = 0;
        for (int i = 0; i < 8; ++i) {
            const unsigned word =
                (static_cast<unsigned>(a->sin6_addr.s6_addr[2 * i]) << 8) | a->sin6_addr.s6_addr[2 * i + 1];
            pos += std::snprintf(text + pos, sizeof text - static_cast<std::size_t>(pos), i ? ":%x" : "%x", word);
        }
        g_ws.freeaddrinfo(list);
        address = text;
        return 0;
    }
    const hostent* h = g_ws.gethostbyname(host.c_str());
    if (h == nullptr || h->h_addr_list == nullptr || h->h_addr_list[0] == nullptr || h->h_length != 4)
        return kHostNotFound;
    const auto* b = reinterpret_cast<const unsigned char*>(h->h_addr_list[0]);
    char text[20];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    address = text;
    return 0;
}

int ConnectSocket(SocketHandle socket, IpVersion version, const std::string& address, int port) {
    if (!Ready()) return WSANOTINITIALISED;
    if (version == IpVersion::ipV6) {
        sockaddr_in6 a{};
        if (!ParseIpv6(address, a)) return WSAEINVAL;
        a.sin6_port = NetOrder(port);
        return g_ws.connect(S(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
    }
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = NetOrder(port);
    if (!ParseIpv4(address, a.sin_addr)) return WSAEINVAL;
    return g_ws.connect(S(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 ? 0 : LastError();
}

int WaitReadable(SocketHandle socket, int timeoutMs, bool& readable) {
    readable = false;
    if (!Ready()) return WSANOTINITIALISED;
    // Built by hand: FD_ISSET would import a helper from WS2_32.DLL.
    fd_set set{};
    set.fd_count = 1;
    set.fd_array[0] = S(socket);
    timeval tv{};
    tv.tv_sec = timeoutMs / 1000;
    tv.tv_usec = (timeoutMs % 1000) * 1000;
    const int n = g_ws.select(0, &set, nullptr, nullptr, timeoutMs < 0 ? nullptr : &tv);
    if (n == SOCKET_ERROR) return LastError();
    readable = n > 0;
    return 0;
}

int ReceiveBytes(SocketHandle socket, char* buffer, std::size_t size, std::size_t& received) {
    received = 0;
    if (!Ready()) return WSANOTINITIALISED;
    const int want = size > 0x40000000 ? 0x40000000 : static_cast<int>(size);
    const int n = g_ws.recv(S(socket), buffer, want, 0);
    if (n == SOCKET_ERROR) return LastError();
    received = static_cast<std::size_t>(n);
    return 0;
}

int SendBytes(SocketHandle socket, const char* data, std::size_t size, std::size_t& sent) {
    sent = 0;
    if (!Ready()) return WSANOTINITIALISED;
    const int want = size > 0x40000000 ? 0x40000000 : static_cast<int>(size);
    const int n = g_ws.send(S(socket), data, want, 0);
    if (n == SOCKET_ERROR) return LastError();
    sent = static_cast<std::size_t>(n);
    return 0;
}

int ShutdownSending(SocketHandle socket) {
    if (!Ready()) return WSANOTINITIALISED;
    return g_ws.shutdown(S(socket), SD_SEND) == 0 ? 0 : LastError();
}

int CloseSocket(SocketHandle socket) {
    if (!Ready()) return WSANOTINITIALISED;
    return g_ws.closesocket(S(socket)) == 0 ? 0 : LastError();
}

int ListenLoopback(SocketHandle socket, int port, int backlog) {
    if (!Ready()) return WSANOTINITIALISED;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = NetOrder(port);
    ParseIpv4("127.0.0.1", a.sin_addr);
    if (g_ws.bind(S(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return LastError();
    return g_ws.listen(S(socket), backlog) == 0 ? 0 : LastError();
}

int LocalPort(SocketHandle socket, int& port) {
    if (!Ready()) return WSANOTINITIALISED;
    sockaddr_storage a{};
    int len = sizeof a;
    if (g_ws.getsockname(S(socket), reinterpret_cast<sockaddr*>(&a), &len) != 0) return LastError();
    const std::uint16_t raw = a.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&a)->sin6_port
                                                      : reinterpret_cast<sockaddr_in*>(&a)->sin_port;
    port = static_cast<int>(NetOrder(raw));
    return 0;
}

int AcceptConnection(SocketHandle socket, SocketHandle& out) {
    out = kNoSocket;
    if (!Ready()) return WSANOTINITIALISED;
    const SOCKET s = g_ws.accept(S(socket), nullptr, nullptr);
    if (s == INVALID_SOCKET) return LastError();
    out = static_cast<SocketHandle>(s);
    return 0;
}

}  // namespace platform
