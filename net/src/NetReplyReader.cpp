#include "NetReplyReader.h"

#include "net/Limits.h"
#include "net/Messages.h"
#include "net/NetExceptions.h"
#include "net/NetText.h"
#include "platform/MessageText.h"

#include <string>

namespace net::reply {
namespace {

// Passes body bytes on while counting them against the client's MaxBodySize.
class LimitedSink : public TNetStream {
public:
    LimitedSink(TNetStream& target, std::int64_t maximum) : m_target(target), m_maximum(maximum) {}
    void Write(const char* data, std::size_t size) override {
        if (m_maximum > 0 && m_written + static_cast<std::int64_t>(size) > m_maximum) {
            throw ENetBodyTooLarge(platform::FillMessage(messages::kBodyTooLarge, {std::to_string(m_maximum)}));
        }
        m_target.Write(data, size);
        m_written += static_cast<std::int64_t>(size);
    }
    std::int64_t Position() const override { return m_target.Position(); }
    void Truncate(std::int64_t pos) override { m_target.Truncate(pos); }

private:
    TNetStream& m_target;
    std::int64_t m_maximum;
    std::int64_t m_written = 0;
};

// The size of a chunk-size line: hex digits up to the first ";" (an extension)
// or blank; false when there are none, others follow, or they would overflow.
bool ParseChunkSize(const std::string& line, std::int64_t& size) {
    const std::string t = Trim(line);
    const std::string digits = t.substr(0, t.find_first_of("; \t"));
    if (digits.empty() || digits.size() > limits::kMaxChunkSizeDigits) return false;
    std::int64_t v = 0;
    for (const char c : digits) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            d = c - 'A' + 10;
        } else {
            return false;
        }
        v = v * 16 + d;
    }
    size = v;
    return true;
}

[[noreturn]] void ThrowTooManyLines(int maxLines) {
    throw ENetTooManyHeaderLines(platform::FillMessage(messages::kTooManyHeaderLines, {std::to_string(maxLines)}));
}

}  // namespace

void ReadHead(TNetIOHandler& io, TNetHTTPResponse& response, int maxLines, bool& statusSeen,
              const std::function<void()>& onHead) {
    // Each state consumes one line.
    enum class HeadState {
        hsStatusLine,  // the next line is a status line
        hsHeaderLine,  // inside the header block; an empty line ends it
        hsParse,       // the block is complete (or the peer closed): parse it
        hsDone,
    };
    int interimReplies = 0;
    int lines = 0;
    HeadState state = HeadState::hsStatusLine;
    while (state != HeadState::hsDone) {
        switch (state) {
            case HeadState::hsStatusLine:
                response.ResponseText = io.ReadLn();
                statusSeen = true;
                response.RawHeaders.Clear();
                lines = 0;
                state = HeadState::hsHeaderLine;
                break;
            case HeadState::hsHeaderLine: {
                std::string line;
                try {
                    line = io.ReadLn();
                } catch (const ENetConnClosedGracefully&) {
                    // A close inside the header block ends it; the lines so far count.
                    io.Close();
                    state = HeadState::hsParse;
                    break;
                }
                if (line.empty()) {
                    state = HeadState::hsParse;
                } else if (++lines > maxLines) {
                    ThrowTooManyLines(maxLines);
                } else {
                    response.RawHeaders.Add(line);
                }
                break;
            }
            case HeadState::hsParse:
                response.ParseHeaders();
                onHead();
                if (response.ResponseCode() == 100 && ++interimReplies <= limits::kMaxInterimReplies && io.IsOpen()) {
                    state = HeadState::hsStatusLine;
                } else {
                    state = HeadState::hsDone;
                }
                break;
            case HeadState::hsDone:
                break;
        }
    }
}

bool ReadBody(TNetIOHandler& io, const TNetHTTPResponse& response, TNetStream& target, int maxTrailerLines,
              std::int64_t maxBodySize, TCutShort cutShort) {
    enum class BodyState {
        bsChooseFraming,  // decide between chunks, a length, the close, or nothing
        bsChunkSize,      // the next line is a chunk-size line
        bsChunkData,      // `remaining` data bytes of the current chunk follow
        bsChunkDataEnd,   // the empty line after a chunk's data follows
        bsTrailer,        // after the last chunk: trailer lines up to an empty line
        bsCounted,        // `remaining` bytes of a Content-Length body follow
        bsUntilClose,     // everything until the peer closes
        bsDone,
    };
    LimitedSink sink(target, maxBodySize);
    bool complete = false;
    int trailerLines = 0;
    std::int64_t remaining = 0;
    BodyState state = BodyState::bsChooseFraming;
    while (state != BodyState::bsDone) {
        switch (state) {
            case BodyState::bsChooseFraming:
                if (response.TransferEncoding.find("chunked") != std::string::npos) {
                    state = BodyState::bsChunkSize;
                } else if (response.ContentLength > 0) {
                    remaining = response.ContentLength;
                    state = BodyState::bsCounted;
                } else if (!response.HasContentLength()) {
                    state = BodyState::bsUntilClose;
                } else {
                    complete = true;
                    state = BodyState::bsDone;
                }
                break;
            case BodyState::bsChunkSize: {
                std::int64_t size = 0;
                if (!ParseChunkSize(io.ReadLn(), size)) {
                    // Not a size: the body ends here and the connection's state is unknown.
                    state = BodyState::bsDone;
                } else if (size == 0) {
                    state = BodyState::bsTrailer;
                } else {
                    remaining = size;
                    state = BodyState::bsChunkData;
                }
                break;
            }
            case BodyState::bsChunkData:
                io.ReadBytes(remaining, sink);
                state = BodyState::bsChunkDataEnd;
                break;
            case BodyState::bsChunkDataEnd:
                // Anything but the empty line means the framing is lost.
                state = io.ReadLn().empty() ? BodyState::bsChunkSize : BodyState::bsDone;
                break;
            case BodyState::bsTrailer:
                if (io.ReadLn().empty()) {
                    complete = true;
                    state = BodyState::bsDone;
                } else if (++trailerLines > maxTrailerLines) {
                    ThrowTooManyLines(maxTrailerLines);
                }
                break;
            case BodyState::bsCounted:
                try {
                    io.ReadBytes(remaining, sink);
                    complete = true;
                } catch (const ENetConnClosedGracefully&) {
                    // A body cut short by the peer's close is incomplete: an
                    // accepted reply fails; a dropped one keeps what arrived.
                    io.Close();
                    if (cutShort == TCutShort::csFails) throw;
                }
                state = BodyState::bsDone;
                break;
            case BodyState::bsUntilClose:
                io.ReadUntilClose(sink);
                state = BodyState::bsDone;
                break;
            case BodyState::bsDone:
                break;
        }
    }
    return complete;
}

}  // namespace net::reply
