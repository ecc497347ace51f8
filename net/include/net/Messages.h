#pragma once

// The HTTP client's user-visible message texts, each defined once. "%s" marks
// where an argument goes (see platform::FillMessage).
namespace net::messages {

inline constexpr const char* kSocketErrorFormat = "Socket Error # %s\r\n%s";
inline constexpr const char* kLoadLibraryFailed = "Error on loading Winsock2 library (%s)";
inline constexpr const char* kBindFunctionFailed = "Error on call Winsock2 library function %s";
inline constexpr const char* kWinsockInitFailed = "Winsock Initialization Error.";
inline constexpr const char* kAlreadyConnected = "Already connected.";
inline constexpr const char* kCouldNotBindSocket = "Could not bind socket. Address and port are already in use.";
inline constexpr const char* kConnectTimedOut = "Connect timed out.";
inline constexpr const char* kConnClosedGracefully = "Connection Closed Gracefully.";
inline constexpr const char* kReadTimeout = "Read Timeout";
inline constexpr const char* kMaxLineLengthExceeded = "Max line length exceeded.";
inline constexpr const char* kNotConnected = "Not Connected";
inline constexpr const char* kOnlyOneAntiFreeze = "Only one TNetAntiFreeze can exist per application.";
inline constexpr const char* kUnknownProtocol = "Unknown Protocol";
inline constexpr const char* kIOHandlerPropInvalid = "IOHandler value is not valid";
inline constexpr const char* kProtocolFieldEmpty = "Protocol field is empty";
inline constexpr const char* kHostFieldEmpty = "Host field is empty";
inline constexpr const char* kMethodRequires11 = "Request method requires HTTP version 1.1";
inline constexpr const char* kNotAcceptable = "Not Acceptable";
// Limits of this client on what a server may send.
inline constexpr const char* kRequestAborted = "Request aborted.";
inline constexpr const char* kBodyTooLarge = "Reply body exceeds the maximum size of %s bytes.";
inline constexpr const char* kTooManyHeaderLines = "Reply header block exceeds %s lines.";
inline constexpr const char* kAlreadyRegistered =
    "This authentication method is already registered with class name %s.";
inline constexpr const char* kNotAnInteger = "'%s' is not a valid integer value";

// A socket error number with the text shown for it.
struct SocketErrorEntry {
    int code;
    const char* text;
};

// The texts of the socket error numbers (Winsock's numbering).
inline constexpr SocketErrorEntry kSocketErrorTexts[] = {
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

}  // namespace net::messages
