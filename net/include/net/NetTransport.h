#pragma once

#include "platform/Sockets.h"

#include <cstddef>
#include <string>

namespace net {

// A byte pipe to one peer under the buffered I/O handler: the TCP socket in the
// program, canned bytes in tests and the fuzzer. Every method may throw the
// transport's ENetException family.
class TNetTransport {
public:
    virtual ~TNetTransport() = default;
    // Connects to host:port; connectTimeoutMs 0 means the transport's default rule.
    virtual void Open(const std::string& host, int port, platform::IpVersion version, int connectTimeoutMs) = 0;
    // Whether the pipe is open (false after Close or a noticed peer close).
    virtual bool IsOpen() const = 0;
    // Closes the pipe (sending side first); does nothing when closed. Never throws.
    virtual void Close() noexcept = 0;
    // Waits up to timeoutMs (negative: without limit) for data or a close; returns whether either came.
    virtual bool WaitReadable(int timeoutMs) = 0;
    // Receives up to size bytes; 0 means the peer closed.
    virtual std::size_t Receive(char* buffer, std::size_t size) = 0;
    // Sends up to size bytes; returns how many the peer's side accepted (0: closed).
    virtual std::size_t Send(const char* data, std::size_t size) = 0;
};

}  // namespace net
