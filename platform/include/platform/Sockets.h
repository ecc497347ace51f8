#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// TCP sockets as the HTTP client needs them. Every operation returns 0 on
// success or an error number in Winsock's numbering (10061 for a refused
// connection, 11001 for an unknown host, ...); the portable implementation maps
// its errno values onto the same numbers, so callers show identical messages on
// every system. Nothing here throws.
namespace platform {

// An opaque socket handle; kNoSocket is "no socket".
using SocketHandle = std::uintptr_t;
inline constexpr SocketHandle kNoSocket = ~SocketHandle{0};

// Address family of a socket.
enum class IpVersion { ipV4, ipV6 };

// Outcome of starting the socket stack.
struct SocketStartup {
    // ssOk, or which start-up step failed.
    enum Kind { ssOk, ssLibraryMissing, ssFunctionMissing, ssStartupFailed } kind = ssOk;
    // The library or function name the failure concerns (empty for ssOk).
    std::string name;
    // The system's text for the library-load failure, empty when it gave none.
    std::string systemText;
};

// Loads and starts the socket stack once per process (later calls return the
// first outcome). Thread-safe.
SocketStartup StartSockets();

// Error numbers callers test for by name.
// The handle is not an open socket (closed, or never one).
inline constexpr int kBadFileNumber = 10009;
// The handle is not a socket (it was closed under the call).
inline constexpr int kNotASocket = 10038;
// The address or port cannot be used (outside TCP's range, say).
inline constexpr int kAddressNotAvailable = 10049;
// The connection was aborted on this side.
inline constexpr int kConnectionAborted = 10053;
// The peer reset the connection.
inline constexpr int kConnectionReset = 10054;
// A host name cannot be resolved.
inline constexpr int kHostNotFound = 11001;

// Creates a TCP stream socket of the given family into out.
int CreateTcpSocket(IpVersion version, SocketHandle& out);
// Binds to the any-address of the socket's family, port 0.
int BindAnyAddress(SocketHandle socket, IpVersion version);
// Sets the TCP no-delay option (true turns Nagle's algorithm off).
int SetNoDelay(SocketHandle socket, bool noDelay);
// Resolves a host name into a numeric address text of the family (first address).
int ResolveHost(const std::string& host, IpVersion version, std::string& address);
// Blocking connect to a numeric address and port.
int ConnectSocket(SocketHandle socket, IpVersion version, const std::string& address, int port);
// Waits up to timeoutMs (negative: without limit) for readability (data or a close).
int WaitReadable(SocketHandle socket, int timeoutMs, bool& readable);
// Receives up to size bytes; received 0 means the peer closed.
int ReceiveBytes(SocketHandle socket, char* buffer, std::size_t size, std::size_t& received);
// Sends up to size bytes; sent tells how many were accepted.
int SendBytes(SocketHandle socket, const char* data, std::size_t size, std::size_t& sent);
// Shuts down the sending side.
int ShutdownSending(SocketHandle socket);
// Closes the socket; the handle must not be used afterwards.
int CloseSocket(SocketHandle socket);

// Binds to 127.0.0.1 on the given port (0: any free port) and listens.
int ListenLoopback(SocketHandle socket, int port, int backlog);
// The local port a socket is bound to.
int LocalPort(SocketHandle socket, int& port);
// Accepts one connection into out (blocking).
int AcceptConnection(SocketHandle socket, SocketHandle& out);

}  // namespace platform
