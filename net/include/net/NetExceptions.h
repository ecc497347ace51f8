#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The HTTP client's exception family. what() is the exact user-visible message;
// ClassName() is the class's name as the command-line tool prints it.
namespace net {

// Base of every HTTP client failure.
class ENetException : public std::runtime_error {
public:
    // An exception with the given message.
    explicit ENetException(const std::string& message) : std::runtime_error(message) {}
    // The class name, e.g. "ENetSocketError".
    virtual const char* ClassName() const noexcept { return "ENetException"; }
};

#define PELMIRA_NET_EXCEPTION(Name, Base)                                 \
    class Name : public Base {                                            \
    public:                                                               \
        explicit Name(const std::string& message = {}) : Base(message) {} \
        const char* ClassName() const noexcept override { return #Name; } \
    };

// Connect on a connected client.
PELMIRA_NET_EXCEPTION(ENetAlreadyConnected, ENetException)
// Connect without a host (empty message).
PELMIRA_NET_EXCEPTION(ENetHostRequired, ENetException)
// Connect to port 0 (empty message).
PELMIRA_NET_EXCEPTION(ENetPortRequired, ENetException)
// The local bind of a new socket failed.
PELMIRA_NET_EXCEPTION(ENetCouldNotBindSocket, ENetException)
// The connect did not finish within its limit.
PELMIRA_NET_EXCEPTION(ENetConnectTimeout, ENetException)
// The connect failed without an error number.
PELMIRA_NET_EXCEPTION(ENetConnectException, ENetException)
// The peer closed the connection while more data was needed.
PELMIRA_NET_EXCEPTION(ENetConnClosedGracefully, ENetException)
// A limited read wait ran out.
PELMIRA_NET_EXCEPTION(ENetReadTimeout, ENetException)
// A line longer than the handler's maximum line length.
PELMIRA_NET_EXCEPTION(ENetReadLnMaxLineLengthExceeded, ENetException)
// The URL's protocol has no known port and none was given.
PELMIRA_NET_EXCEPTION(ENetUnknownProtocol, ENetException)
// The request needs a transport this client does not have (https).
PELMIRA_NET_EXCEPTION(ENetIOHandlerPropInvalid, ENetException)
// Joining a URL without protocol or host.
PELMIRA_NET_EXCEPTION(ENetURIException, ENetException)
// A reply body grew past the client's MaxBodySize.
PELMIRA_NET_EXCEPTION(ENetBodyTooLarge, ENetException)
// A reply header block had more lines than the client accepts.
PELMIRA_NET_EXCEPTION(ENetTooManyHeaderLines, ENetException)
// The running request was aborted by the program (Abort).
PELMIRA_NET_EXCEPTION(ENetRequestAborted, ENetException)

#undef PELMIRA_NET_EXCEPTION

// A failing socket call: message "Socket Error # n\r\n<text>".
class ENetSocketError : public ENetException {
public:
    // Builds the message from the Winsock error number and its text.
    explicit ENetSocketError(int errorCode);
    // The Winsock error number.
    int LastError() const noexcept { return m_code; }
    const char* ClassName() const noexcept override { return "ENetSocketError"; }

private:
    int m_code;
};

// Socket error 10038: the handle is not a socket (it was closed under the call).
class ENetNotASocket : public ENetSocketError {
public:
    ENetNotASocket() : ENetSocketError(10038) {}
    const char* ClassName() const noexcept override { return "ENetNotASocket"; }
};

// A reply the caller does not accept: message = the status line.
class ENetHTTPProtocolException : public ENetException {
public:
    // message: status line; errorCode: status code; errorMessage: the reply body.
    ENetHTTPProtocolException(const std::string& message, int errorCode, std::string errorMessage)
        : ENetException(message), ErrorCode(errorCode), ErrorMessage(std::move(errorMessage)) {}
    const char* ClassName() const noexcept override { return "ENetHTTPProtocolException"; }

    // The reply's status code (-1 when the status line had none).
    int ErrorCode;
    // The reply's body as 8-bit text.
    std::string ErrorMessage;
};

// The Winsock text of an error number; empty for numbers without one.
std::string SocketErrorText(int errorCode);

// Throws ENetSocketError (ENetNotASocket for 10038) for a non-zero error number.
void CheckSocketResult(int errorCode);

// Starts the process-wide socket stack; throws ENetException with the start-up
// messages when the library, a function or the start-up call fails.
void EnsureSocketStack();

}  // namespace net
