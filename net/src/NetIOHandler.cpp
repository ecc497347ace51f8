#include "net/NetIOHandler.h"
#include "net/Messages.h"
#include "net/NetAntiFreeze.h"
#include "net/NetExceptions.h"

#include <algorithm>
#include <cstring>

namespace net {

TNetIOHandler::TNetIOHandler(std::unique_ptr<TNetTransport> transport) : m_transport(std::move(transport)) {}

void TNetIOHandler::Open(const std::string& host, int port, platform::IpVersion version, int connectTimeoutMs) {
    m_head = m_tail = m_lineScan = 0;
    m_out.clear();
    m_writeBuffering = false;
    m_transport->Open(host, port, version, connectTimeoutMs);
    m_everOpened = true;
}

void TNetIOHandler::Close() noexcept {
    m_transport->Close();
    m_head = m_tail = m_lineScan = 0;
    m_out.clear();
    m_writeBuffering = false;
}

bool TNetIOHandler::Connected() {
    if (m_transport->IsOpen() && m_transport->WaitReadable(0)) {
        Reserve(limits::kRecvBufferSize);
        const std::size_t got = m_transport->Receive(m_in.data() + m_tail, limits::kRecvBufferSize);
        if (got == 0) {
            m_transport->Close();
        } else {
            m_tail += got;
        }
    }
    return m_transport->IsOpen() || BufferedBytes() > 0;
}

void TNetIOHandler::RaiseClosed() const {
    if (!m_everOpened) throw ENetException(messages::kNotConnected);
    throw ENetConnClosedGracefully(messages::kConnClosedGracefully);
}

bool TNetIOHandler::WaitForData() {
    const bool limited = ReadTimeout > 0;
    if (!TNetAntiFreeze::InUse()) return m_transport->WaitReadable(limited ? ReadTimeout : -1);
    const int idle = TNetAntiFreeze::CurrentIdleTimeOut();
    if (!limited) {
        for (;;) {
            const bool ready = m_transport->WaitReadable(idle);
            TNetAntiFreeze::DoProcess(!ready);
            if (ready) return true;
            // A handler run in the turn may have closed this connection.
            if (!m_transport->IsOpen()) return true;
        }
    }
    if (ReadTimeout > idle) {
        const bool ready = m_transport->WaitReadable(ReadTimeout - idle);
        TNetAntiFreeze::DoProcess(!ready);
        if (ready || !m_transport->IsOpen()) return true;
        const bool last = m_transport->WaitReadable(idle);
        TNetAntiFreeze::DoProcess(!last);
        return last || !m_transport->IsOpen();
    }
    const bool ready = m_transport->WaitReadable(ReadTimeout);
    TNetAntiFreeze::DoProcess(!ready);
    return ready || !m_transport->IsOpen();
}

void TNetIOHandler::Reserve(std::size_t size) {
    if (m_in.size() - m_tail >= size) return;
    if (m_head > 0) {
        std::memmove(m_in.data(), m_in.data() + m_head, m_tail - m_head);
        m_lineScan -= std::min(m_lineScan, m_head);
        m_tail -= m_head;
        m_head = 0;
    }
    if (m_in.size() - m_tail < size) m_in.resize(m_tail + size);
}

std::size_t TNetIOHandler::ReadFromSource() {
    if (!m_transport->IsOpen()) return 0;
    // Without the anti-freeze and without a limit the receive itself is the wait.
    if ((ReadTimeout > 0 || TNetAntiFreeze::InUse()) && !WaitForData()) {
        throw ENetReadTimeout(messages::kReadTimeout);
    }
    if (!m_transport->IsOpen()) return 0;
    Reserve(limits::kRecvBufferSize);
    const std::size_t got = m_transport->Receive(m_in.data() + m_tail, limits::kRecvBufferSize);
    if (got == 0) {
        m_transport->Close();
        return 0;
    }
    m_tail += got;
    return got;
}

std::string TNetIOHandler::ReadLn() {
    for (;;) {
        const char* base = m_in.data();
        m_lineScan = std::max(m_lineScan, m_head);
        const void* lf = m_tail > m_lineScan ? std::memchr(base + m_lineScan, '\n', m_tail - m_lineScan) : nullptr;
        if (lf != nullptr) {
            const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(lf) - base);
            std::size_t lineEnd = end;
            if (lineEnd > m_head && base[lineEnd - 1] == '\r') --lineEnd;
            if (lineEnd - m_head > MaxLineLength)
                throw ENetReadLnMaxLineLengthExceeded(messages::kMaxLineLengthExceeded);
            std::string line(base + m_head, lineEnd - m_head);
            m_head = end + 1;
            m_lineScan = m_head;
            return line;
        }
        m_lineScan = m_tail;
        // One byte of slack for the CR of a line of exactly the maximum length.
        const std::size_t pending = m_tail - m_head;
        if (pending > MaxLineLength + 1 || (pending == MaxLineLength + 1 && m_in[m_tail - 1] != '\r'))
            throw ENetReadLnMaxLineLengthExceeded(messages::kMaxLineLengthExceeded);
        if (ReadFromSource() == 0) RaiseClosed();
    }
}

void TNetIOHandler::ReadBytes(std::int64_t count, TNetStream& sink) {
    while (count > 0) {
        if (BufferedBytes() == 0 && ReadFromSource() == 0) RaiseClosed();
        const std::size_t take =
            static_cast<std::size_t>(std::min<std::int64_t>(count, static_cast<std::int64_t>(BufferedBytes())));
        sink.Write(m_in.data() + m_head, take);
        m_head += take;
        count -= static_cast<std::int64_t>(take);
    }
}

void TNetIOHandler::ReadUntilClose(TNetStream& sink) {
    for (;;) {
        if (BufferedBytes() > 0) {
            const std::size_t take = BufferedBytes();
            sink.Write(m_in.data() + m_head, take);
            m_head += take;
        }
        if (ReadFromSource() == 0) return;
    }
}

void TNetIOHandler::OpenWriteBuffer() {
    m_out.clear();
    m_writeBuffering = true;
}

void TNetIOHandler::CloseWriteBuffer() {
    m_writeBuffering = false;
    std::string out;
    out.swap(m_out);
    SendAll(out.data(), out.size());
}

void TNetIOHandler::CancelWriteBuffer() noexcept {
    m_out.clear();
    m_writeBuffering = false;
}

void TNetIOHandler::Write(const std::string& text) {
    if (m_writeBuffering) {
        m_out += text;
    } else {
        SendAll(text.data(), text.size());
    }
}

void TNetIOHandler::WriteLn(const std::string& text) { Write(text + "\r\n"); }

void TNetIOHandler::SendAll(const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        if (!m_transport->IsOpen()) RaiseClosed();
        const std::size_t piece = std::min(size - done, limits::kSendBufferSize);
        const std::size_t sent = m_transport->Send(data + done, piece);
        if (sent == 0) {
            m_transport->Close();
            if (BufferedBytes() == 0) RaiseClosed();
            return;
        }
        done += sent;
        TNetAntiFreeze::DoProcess(false);
    }
}

}  // namespace net
