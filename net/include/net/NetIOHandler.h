#pragma once

#include "net/Limits.h"
#include "net/NetStream.h"
#include "net/NetTransport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace net {

// Buffered reading and writing over one transport: an input buffer filled in
// pieces of RecvBufferSize, line and counted reads, and a write buffer that
// sends a whole request head at once. Waits offer the anti-freeze its turns.
class TNetIOHandler {
public:
    // Takes ownership of the transport (not yet open).
    explicit TNetIOHandler(std::unique_ptr<TNetTransport> transport);

    // Longest line accepted by ReadLn, without its LF.
    std::size_t MaxLineLength = limits::kMaxLineLength;
    // Read wait limit in ms; -1 (or 0) waits without limit.
    int ReadTimeout = -1;

    // Opens the transport with empty buffers. Throws the transport's exceptions.
    void Open(const std::string& host, int port, platform::IpVersion version, int connectTimeoutMs);
    // Closes the transport and drops buffered input. Never throws.
    void Close() noexcept;
    // Whether the transport is open (a noticed peer close makes it false).
    bool IsOpen() const { return m_transport->IsOpen(); }
    // Moves bytes already waiting into the input buffer without waiting (so a
    // peer close is noticed); true while open or while unread bytes remain.
    bool Connected();
    // Unread bytes in the input buffer.
    std::size_t BufferedBytes() const { return m_tail - m_head; }

    // Reads one line (terminator LF, one CR before it dropped). Throws
    // ENetReadLnMaxLineLengthExceeded past MaxLineLength, ENetConnClosedGracefully
    // when the peer closes first, ENetReadTimeout when a limited wait runs out.
    std::string ReadLn();
    // Reads exactly count bytes into sink; throws ENetConnClosedGracefully when
    // the peer closes first (the bytes received before stay written).
    void ReadBytes(std::int64_t count, TNetStream& sink);
    // Reads until the peer closes; the close ends it normally.
    void ReadUntilClose(TNetStream& sink);

    // Starts collecting writes.
    void OpenWriteBuffer();
    // Sends everything collected and stops collecting. Throws on send failure.
    void CloseWriteBuffer();
    // Drops everything collected and stops collecting.
    void CancelWriteBuffer() noexcept;
    // Writes text (collected while the write buffer is open, else sent now).
    void Write(const std::string& text);
    // Writes text followed by CR LF.
    void WriteLn(const std::string& text);

private:
    // Waits for data or a close, offering anti-freeze turns; false when a limited wait ran out.
    bool WaitForData();
    // Waits and receives once into the buffer; returns the bytes added, 0 when
    // the peer closed (the transport is then closed). Throws ENetReadTimeout.
    std::size_t ReadFromSource();
    // Makes room for one receive at the buffer's end.
    void Reserve(std::size_t size);
    // Sends all bytes, offering non-idle turns after every send.
    void SendAll(const char* data, std::size_t size);
    // Throws "Not Connected" for a handler that was never opened, else the peer-close error.
    [[noreturn]] void RaiseClosed() const;

    std::unique_ptr<TNetTransport> m_transport;
    std::vector<char> m_in;
    std::size_t m_head = 0;
    std::size_t m_tail = 0;
    std::size_t m_lineScan = 0;
    std::string m_out;
    bool m_writeBuffering = false;
    bool m_everOpened = false;
};

}  // namespace net
