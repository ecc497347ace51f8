#pragma once

// The HTTP client's user-visible message texts, each defined once.
namespace net::messages {

inline constexpr const char* kSocketErrorFormat = "Socket Error # %d\r\n%s";
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
inline constexpr const char* kBodyTooLarge = "Reply body exceeds the maximum size of %lld bytes.";
inline constexpr const char* kTooManyHeaderLines = "Reply header block exceeds %d lines.";

}  // namespace net::messages
