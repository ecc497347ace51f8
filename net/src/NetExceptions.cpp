#include "net/NetExceptions.h"
#include "net/Messages.h"

#include "platform/Sockets.h"

#include <cstdio>

namespace net {
namespace {

struct ErrorEntry {
    int code;
    const char* text;
};

constexpr ErrorEntry kErrorTexts[] = {
    {10004, "Interrupted system call."},
    {10009, "Bad file number."},
    {10013, "Access denied."},
    {10014, "Buffer fault."},
    {10022, "Invalid argument."},
    {10024, "Too many open files."},
    {10035, "Operation would block."},
    {10036, "Operation now in progress."},
    {10037, "Operation already in progress."},
    {10038, "Socket operation on non-socket."},
    {10039, "Destination address required."},
    {10040, "Message too long."},
    {10041, "Protocol wrong type for socket."},
    {10042, "Bad protocol option."},
    {10043, "Protocol not supported."},
    {10044, "Socket type not supported."},
    {10045, "Operation not supported on socket."},
    {10046, "Protocol family not supported."},
    {10047, "Address family not supported by protocol family."},
    {10048, "Address already in use."},
    {10049, "Cannot assign requested address."},
    {10050, "Network is down."},
    {10051, "Network is unreachable."},
    {10052, "Net dropped connection or reset."},
    {10053, "Software caused connection abort."},
    {10054, "Connection reset by peer."},
    {10055, "No buffer space available."},
    {10056, "Socket is already connected."},
    {10057, "Socket is not connected."},
    {10058, "Cannot send or receive after socket is closed."},
    {10059, "Too many references, cannot splice."},
    {10060, "Connection timed out."},
    {10061, "Connection refused."},
    {10062, "Too many levels of symbolic links."},
    {10063, "File name too long."},
    {10064, "Host is down."},
    {10065, "No route to host."},
    {10066, "Directory not empty"},
    {11001, "Host not found."},
};

std::string SocketMessage(int code) {
    const std::string text = SocketErrorText(code);
    // The format's only conversions are %d and %s; filled by hand to keep CR LF as is.
    std::string out = messages::kSocketErrorFormat;
    const auto d = out.find("%d");
    out.replace(d, 2, std::to_string(code));
    const auto s = out.find("%s");
    out.replace(s, 2, text);
    return out;
}

std::string Fill(const char* format, const std::string& value) {
    std::string out = format;
    const auto s = out.find("%s");
    if (s != std::string::npos) out.replace(s, 2, value);
    return out;
}

}  // namespace

ENetSocketError::ENetSocketError(int errorCode) : ENetException(SocketMessage(errorCode)), m_code(errorCode) {}

std::string SocketErrorText(int errorCode) {
    for (const ErrorEntry& e : kErrorTexts) {
        if (e.code == errorCode) return e.text;
    }
    return {};
}

void CheckSocketResult(int errorCode) {
    if (errorCode == 0) return;
    if (errorCode == 10038) throw ENetNotASocket();
    throw ENetSocketError(errorCode);
}

void EnsureSocketStack() {
    const platform::SocketStartup s = platform::StartSockets();
    switch (s.kind) {
        case platform::SocketStartup::ssOk:
            return;
        case platform::SocketStartup::ssLibraryMissing: {
            std::string message = Fill(messages::kLoadLibraryFailed, s.name);
            if (!s.systemText.empty()) message += ": " + s.systemText;
            throw ENetException(message);
        }
        case platform::SocketStartup::ssFunctionMissing:
            throw ENetException(Fill(messages::kBindFunctionFailed, s.name));
        case platform::SocketStartup::ssStartupFailed:
            throw ENetException(messages::kWinsockInitFailed);
    }
}

}  // namespace net
