#include "net/NetHTTP.h"
#include "net/HttpDate.h"
#include "net/Messages.h"
#include "net/NetExceptions.h"
#include "net/NetMemoryStream.h"
#include "net/NetSocketTransport.h"

#include <cassert>
#include <cstdio>

namespace net {
namespace {

// Passes body bytes on while counting them against the client's MaxBodySize.
class LimitedSink : public TNetStream {
public:
    LimitedSink(TNetStream& target, std::int64_t maximum) : m_target(target), m_maximum(maximum) {}
    void Write(const char* data, std::size_t size) override {
        if (m_maximum > 0 && m_written + static_cast<std::int64_t>(size) > m_maximum) {
            char message[128];
            std::snprintf(message, sizeof message, messages::kBodyTooLarge, static_cast<long long>(m_maximum));
            throw ENetBodyTooLarge(message);
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

// The port text as a number; 80 when it is not one.
int PortNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return 80;
    int v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return 80;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool Contains(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

}  // namespace

TNetCustomHTTP::TNetCustomHTTP()
    : TNetCustomHTTP([] { return std::unique_ptr<TNetTransport>(new TNetSocketTransport()); }) {}

TNetCustomHTTP::TNetCustomHTTP(TNetTransportFactory factory) : m_factory(std::move(factory)) {}

TNetCustomHTTP::~TNetCustomHTTP() { Disconnect(); }

void TNetCustomHTTP::Get(const std::string& url, TNetStream* stream) {
    assert(stream != nullptr && "Get needs a stream");
    DoRequest("GET", url, stream, {});
}

std::string TNetCustomHTTP::Get(const std::string& url) {
    TNetMemoryStream body;
    Get(url, &body);
    return body.Data();
}

void TNetCustomHTTP::Disconnect() noexcept {
    if (!m_io) return;
    m_io->Close();
    // Also after a close by the peer: the connection ends here for the client.
    if (m_connectionActive) {
        m_connectionActive = false;
        ConnectionClosed();
    }
}

void TNetCustomHTTP::Abort() noexcept {
    if (!m_busy) return;
    m_aborted = true;
    // The waits of the I/O handler and the transport end when they find the connection closed.
    Disconnect();
}

bool TNetCustomHTTP::Connected() { return m_io && m_io->Connected(); }

void TNetCustomHTTP::DoRequest(const std::string& method, const std::string& url, TNetStream* stream,
                               const std::vector<int>& ignoreReplies) {
    m_redirectCount = 0;
    m_authRetries = 0;
    m_authProxyRetries = 0;
    const std::int64_t startPos = stream != nullptr ? stream->Position() : 0;
    std::string requestURL = url;
    std::string requestMethod = method;
    m_response.ContentStream = stream;
    m_forceClose = false;
    m_aborted = false;
    // Busy until this request returns, also when it throws (a nested request
    // started by a handler during a wait restores the outer one's state).
    struct BusyScope {
        bool& busy;
        bool saved;
        explicit BusyScope(bool& b) : busy(b), saved(b) { busy = true; }
        ~BusyScope() { busy = saved; }
    } busyScope(m_busy);
    try {
        for (;;) {
            m_request.Method = requestMethod;
            PrepareRequest(requestURL);
            // A kept-alive connection the server closed meanwhile fails before a
            // single reply byte; the request is then sent once more on a new one.
            for (int attempt = 0;; ++attempt) {
                const bool reused = EnsureConnection();
                // A connect that could not be interrupted may finish after an abort.
                if (m_aborted) throw ENetRequestAborted(messages::kRequestAborted);
                m_statusSeen = false;
                try {
                    SendRequestHead();
                    ReadReplyHead();
                    break;
                } catch (const ENetConnClosedGracefully&) {
                    // An abort closes the connection too, but is never resent.
                    if (m_aborted || !reused || attempt > 0 || m_statusSeen || m_io->BufferedBytes() > 0) throw;
                } catch (const ENetSocketError& e) {
                    if (m_aborted || !reused || attempt > 0 || m_statusSeen ||
                        (e.LastError() != 10053 && e.LastError() != 10054))
                        throw;
                }
                Disconnect();
            }
            const TNetHTTPWhatsNext next = ProcessResponse(ignoreReplies);
            if (next == TNetHTTPWhatsNext::wnJustExit) break;
            switch (next) {
                case TNetHTTPWhatsNext::wnGoToURL:
                    if (stream != nullptr) stream->Truncate(startPos);
                    m_authRetries = 0;
                    m_authProxyRetries = 0;
                    requestURL = m_nextURL;
                    requestMethod = m_nextMethod;
                    break;
                case TNetHTTPWhatsNext::wnReadAndGo:
                    ReadResult(stream, BodyUse::buDropped);
                    if (stream != nullptr) stream->Truncate(startPos);
                    m_authRetries = 0;
                    m_authProxyRetries = 0;
                    break;
                case TNetHTTPWhatsNext::wnAuthRequest:
                    requestURL = url;
                    break;
                case TNetHTTPWhatsNext::wnDontKnow:
                default:
                    throw ENetException(messages::kNotAcceptable);
            }
        }
    } catch (...) {
        m_response.ContentStream = nullptr;
        FinishRequest();
        // Whatever the closed connection made the request throw, the caller learns it was aborted.
        if (m_aborted) throw ENetRequestAborted(messages::kRequestAborted);
        throw;
    }
    m_response.ContentStream = nullptr;
    FinishRequest();
    if (m_aborted) throw ENetRequestAborted(messages::kRequestAborted);
}

void TNetCustomHTTP::PrepareRequest(const std::string& url) {
    const TNetURI n(url);
    if (!n.Username.empty()) {
        m_request.Username = n.Username;
        m_request.Password = n.Password;
        m_clientURI.Username = m_request.Username;
        m_clientURI.Password = m_request.Password;
    }

    // Resolve the new path against the previous one.
    if (!n.Path.empty() && n.Path[0] == '/') {
        m_clientURI.Path = n.Path;
    } else {
        std::string joined = m_clientURI.Path;
        if (joined.empty() || joined.back() != '/') joined += '/';
        joined += n.Path;
        std::string out;
        for (std::size_t i = 0; i < joined.size(); ++i) {
            const char c = joined[i];
            if (c == '/' && !out.empty() && out.back() == '/') continue;
            if (c == '.' && i + 1 < joined.size() && joined[i + 1] == '.' && i > 0 && joined[i - 1] == '/') {
                // ".." drops the last segment copied so far (never the root "/").
                if (out.size() > 1) {
                    out.pop_back();
                    const std::size_t slash = out.rfind('/');
                    out.erase(slash == std::string::npos ? 0 : slash + 1);
                }
                ++i;
                continue;
            }
            out += c;
        }
        const bool keepSlash = n.Path.empty() || n.Path.back() == '/';
        if (!keepSlash && out.size() > 1 && out.back() == '/') out.pop_back();
        m_clientURI.Path = out;
    }

    m_clientURI.Document = n.Document;
    m_clientURI.Params = n.Params;
    if (!n.Host.empty()) m_clientURI.Host = n.Host;
    if (!n.Protocol.empty()) {
        m_clientURI.Protocol = n.Protocol;
    } else if (!SameText(m_clientURI.Protocol, "https")) {
        m_clientURI.Protocol = "http";
    }

    if (!n.Port.empty()) {
        m_clientURI.Port = n.Port;
    } else if (SameText(n.Protocol, "http")) {
        m_clientURI.Port = "80";
    } else if (SameText(n.Protocol, "https")) {
        m_clientURI.Port = "443";
    } else if (m_clientURI.Port.empty()) {
        throw ENetUnknownProtocol(messages::kUnknownProtocol);
    }

    if (m_request.Method == "OPTIONS" && m_clientURI.Document == "*") {
        m_request.URL = "*";
    } else {
        m_request.URL = m_clientURI.Path + m_clientURI.Document + m_clientURI.Params;
    }
    m_request.IPVersion = n.IPVersion;
    m_clientURI.IPVersion = n.IPVersion;
    const std::string& m = m_request.Method;
    if (ProtocolVersion == TNetHTTPProtocolVersion::pv1_0 &&
        (m == "TRACE" || m == "PUT" || m == "OPTIONS" || m == "DELETE")) {
        throw ENetException(messages::kMethodRequires11);
    }
    // GET carries no body, so no Content-Length line.
    m_request.ContentLength = -1;
    m_request.Host = m_clientURI.Host;
    if (m_clientURI.Port != "80") m_request.Host += ":" + m_clientURI.Port;
}

bool TNetCustomHTTP::EnsureConnection() {
    const bool open = m_io && m_io->IsOpen();
    std::string host;
    int port = 0;
    const bool secure = SameText(m_clientURI.Protocol, "https");
    if (ProxyParams.ProxyServer().empty()) {
        host = m_clientURI.Host;
        port = PortNumber(m_clientURI.Port);
        if (open && (m_connIPVersion != m_request.IPVersion || !SameText(host, m_connHost) || port != m_connPort)) {
            Disconnect();
        }
        // No secure transport exists in this client.
        if (secure) throw ENetIOHandlerPropInvalid(messages::kIOHandlerPropInvalid);
        m_request.UseProxy = TNetConnectionType::ctNormal;
    } else {
        host = ProxyParams.ProxyServer();
        port = ProxyParams.ProxyPort();
        if (open && (!SameText(host, m_connHost) || port != m_connPort)) Disconnect();
        // A tunnel would need a secure transport on top, which this client has not.
        if (secure) throw ENetIOHandlerPropInvalid(messages::kIOHandlerPropInvalid);
        m_request.UseProxy = TNetConnectionType::ctProxy;
        m_request.URL = m_clientURI.Join(TNetURIUserInfo::uiExclude, TNetURIBookmark::bmExclude);
    }

    if (ProtocolVersion == TNetHTTPProtocolVersion::pv1_0 && m_request.Connection.empty()) {
        if (m_request.UseProxy == TNetConnectionType::ctNormal) {
            m_request.Connection = "keep-alive";
        } else {
            m_request.ProxyConnection = "keep-alive";
        }
    }

    // A connection is reused only when the last reply ended cleanly, allows
    // keep-alive and left no unread byte behind.
    if (m_io && m_io->IsOpen()) {
        bool reusable = false;
        try {
            reusable = m_replyComplete && !m_forceClose && KeepAlive() && m_io->IsOpen() && m_io->BufferedBytes() == 0;
        } catch (const ENetException&) {
            reusable = false;
        }
        if (!reusable) Disconnect();
    }
    if (m_io && m_io->IsOpen()) return true;
    Connect(host, port);
    return false;
}

void TNetCustomHTTP::Connect(const std::string& host, int port) {
    if (m_io && m_io->IsOpen()) throw ENetAlreadyConnected(messages::kAlreadyConnected);
    if (host.empty()) throw ENetHostRequired();
    if (port == 0) throw ENetPortRequired();
    // A port outside TCP's range cannot be addressed at all.
    if (port < 0 || port > 65535) throw ENetSocketError(10049);
    if (!m_io) m_io = std::make_unique<TNetIOHandler>(m_factory());
    m_io->ReadTimeout = ReadTimeout;
    m_replyComplete = false;
    try {
        m_io->Open(host, port, m_request.IPVersion, ConnectTimeout);
    } catch (...) {
        m_io->Close();
        throw;
    }
    m_connectionActive = true;
    m_connHost = host;
    m_connPort = port;
    m_connIPVersion = m_request.IPVersion;
}

void TNetCustomHTTP::ComposeHeaders() {
    TNetHTTPRequest& r = m_request;
    if (!Contains(r.AcceptEncoding, "identity")) {
        if (r.AcceptEncoding.empty() || r.AcceptEncoding.back() == ' ' || r.AcceptEncoding.back() == ',') {
            r.AcceptEncoding += "identity";
        } else {
            r.AcceptEncoding += ", identity";
        }
    }
    TNetHeaderList& h = r.RawHeaders;
    h.Clear();
    // A header goes in only when its field is set, so an empty field leaves a
    // custom line of the same name alone.
    const auto set = [&h](const char* name, const std::string& value) {
        if (!value.empty()) h.SetValue(name, value);
    };
    set("Connection", r.Connection);
    set("Content-Version", r.ContentVersion);
    set("Content-Encoding", r.ContentEncoding);
    set("Content-Language", r.ContentLanguage);
    set("Content-Type", r.ContentType);
    if (r.ContentLength >= 0) set("Content-Length", std::to_string(r.ContentLength));
    set("Cache-control", r.CacheControl);
    if (r.Date > 0) set("Date", FormatHttpDate(LocalDateTimeToUnix(r.Date)));
    if (r.Expires > 0) set("Expires", FormatHttpDate(LocalDateTimeToUnix(r.Expires)));
    set("Pragma", r.Pragma);
    for (std::size_t i = 0; i < r.CustomHeaders.Count(); ++i) h.Add(r.CustomHeaders.Line(i));
    set("Proxy-Connection", r.ProxyConnection);
    set("Host", r.Host);
    set("Accept", r.Accept);
    set("Accept-Charset", r.AcceptCharSet);
    set("Accept-Encoding", r.AcceptEncoding);
    set("Accept-Language", r.AcceptLanguage);
    set("From", r.From);
    set("Referer", r.Referer);
    set("User-Agent", r.UserAgent);
    if (!r.Range.empty()) set("Range", "bytes=" + r.Range);
    if (r.LastModified > 0) set("If-Modified-Since", FormatHttpDate(LocalDateTimeToUnix(r.LastModified)));
    ComposeAuthorization(h);
    ComposeProxyAuthorization(h);
    ComposeCookies(h);
}

void TNetCustomHTTP::SendRequestHead() {
    m_replyComplete = false;
    ComposeHeaders();
    const char* version = ProtocolVersion == TNetHTTPProtocolVersion::pv1_0 ? "1.0" : "1.1";
    std::string head = m_request.Method + " " + m_request.URL + " HTTP/" + version + "\r\n";
    const TNetHeaderList& h = m_request.RawHeaders;
    for (std::size_t i = 0; i < h.Count(); ++i) {
        if (!h.Line(i).empty()) head += h.Line(i) + "\r\n";
    }
    head += "\r\n";
    m_io->OpenWriteBuffer();
    try {
        m_io->Write(head);
        m_io->CloseWriteBuffer();
    } catch (...) {
        m_io->CancelWriteBuffer();
        throw;
    }
}

void TNetCustomHTTP::ReadReplyHead() {
    // The reply head as a state machine; each state consumes one line.
    enum class HeadState {
        hsStatusLine,  // the next line is a status line
        hsHeaderLine,  // inside the header block; an empty line ends it
        hsParse,       // the block is complete (or the peer closed): parse it
        hsDone,
    };
    const int maxLines = MaxHeaderLines > 0 ? MaxHeaderLines : limits::kAbsoluteMaxHeaderLines;
    int interimReplies = 0;
    int lines = 0;
    HeadState state = HeadState::hsStatusLine;
    while (state != HeadState::hsDone) {
        switch (state) {
            case HeadState::hsStatusLine:
                m_response.ResponseText = m_io->ReadLn();
                m_statusSeen = true;
                m_response.RawHeaders.Clear();
                lines = 0;
                state = HeadState::hsHeaderLine;
                break;
            case HeadState::hsHeaderLine: {
                std::string line;
                try {
                    line = m_io->ReadLn();
                } catch (const ENetConnClosedGracefully&) {
                    // A close inside the header block ends it; the lines so far count.
                    m_io->Close();
                    state = HeadState::hsParse;
                    break;
                }
                if (line.empty()) {
                    state = HeadState::hsParse;
                } else if (++lines > maxLines) {
                    char message[96];
                    std::snprintf(message, sizeof message, messages::kTooManyHeaderLines, maxLines);
                    throw ENetTooManyHeaderLines(message);
                } else {
                    m_response.RawHeaders.Add(line);
                }
                break;
            }
            case HeadState::hsParse:
                m_response.ParseHeaders();
                TakeCookies();
                if (m_response.ResponseCode() == 100 && ++interimReplies <= limits::kMaxInterimReplies &&
                    m_io->IsOpen()) {
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

bool TNetCustomHTTP::ReplyHasNoBody() const {
    const int code = m_response.ResponseCode();
    return code / 100 == 1 || code == 204 || code == 304;
}

void TNetCustomHTTP::ReadResult(TNetStream* target, BodyUse use) {
    m_replyComplete = false;
    if (target == nullptr) return;
    // 1xx, 204 and 304 replies end with their header block.
    if (ReplyHasNoBody()) {
        m_replyComplete = true;
        return;
    }
    LimitedSink sink(*target, MaxBodySize);
    // The body as a state machine over the reply's framing.
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
    const int maxTrailerLines = MaxHeaderLines > 0 ? MaxHeaderLines : limits::kAbsoluteMaxHeaderLines;
    int trailerLines = 0;
    std::int64_t remaining = 0;
    BodyState state = BodyState::bsChooseFraming;
    while (state != BodyState::bsDone) {
        switch (state) {
            case BodyState::bsChooseFraming:
                if (Contains(m_response.TransferEncoding, "chunked")) {
                    state = BodyState::bsChunkSize;
                } else if (m_response.ContentLength > 0) {
                    remaining = m_response.ContentLength;
                    state = BodyState::bsCounted;
                } else if (!m_response.HasContentLength()) {
                    state = BodyState::bsUntilClose;
                } else {
                    m_replyComplete = true;
                    state = BodyState::bsDone;
                }
                break;
            case BodyState::bsChunkSize: {
                std::int64_t size = 0;
                if (!ParseChunkSize(m_io->ReadLn(), size)) {
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
                m_io->ReadBytes(remaining, sink);
                state = BodyState::bsChunkDataEnd;
                break;
            case BodyState::bsChunkDataEnd:
                // Anything but the empty line means the framing is lost.
                state = m_io->ReadLn().empty() ? BodyState::bsChunkSize : BodyState::bsDone;
                break;
            case BodyState::bsTrailer:
                if (m_io->ReadLn().empty()) {
                    m_replyComplete = true;
                    state = BodyState::bsDone;
                } else if (++trailerLines > maxTrailerLines) {
                    char message[96];
                    std::snprintf(message, sizeof message, messages::kTooManyHeaderLines, maxTrailerLines);
                    throw ENetTooManyHeaderLines(message);
                }
                break;
            case BodyState::bsCounted:
                try {
                    m_io->ReadBytes(remaining, sink);
                    m_replyComplete = true;
                } catch (const ENetConnClosedGracefully&) {
                    // A body cut short by the peer's close is incomplete: an
                    // accepted reply fails; a dropped one keeps what arrived.
                    m_io->Close();
                    if (use == BodyUse::buAccepted) throw;
                }
                state = BodyState::bsDone;
                break;
            case BodyState::bsUntilClose:
                m_io->ReadUntilClose(sink);
                state = BodyState::bsDone;
                break;
            case BodyState::bsDone:
                break;
        }
    }
}

void TNetCustomHTTP::DiscardBody() {
    TNetMemoryStream scratch;
    ReadResult(&scratch, BodyUse::buDropped);
}

void TNetCustomHTTP::RefuseReply(const std::vector<int>& ignoreReplies) {
    TNetMemoryStream body;
    ReadResult(&body, BodyUse::buDropped);
    const int code = m_response.ResponseCode();
    for (const int ignored : ignoreReplies) {
        if (ignored == code) return;
    }
    throw ENetHTTPProtocolException(m_response.ResponseText, code, body.Data());
}

TNetHTTPWhatsNext TNetCustomHTTP::ProcessResponse(const std::vector<int>& ignoreReplies) {
    if (OnHeadersAvailable && !OnHeadersAvailable()) {
        m_forceClose = true;
        return TNetHTTPWhatsNext::wnJustExit;
    }
    const int code = m_response.ResponseCode();
    const int d = code / 100;

    if ((d == 3 && code != 304) || !m_response.Location.empty()) {
        ++m_redirectCount;
        std::string location = m_response.Location;
        std::string method = m_request.Method;
        const bool follow = HandleRedirects && m_redirectCount < RedirectMaximum;
        const bool approved = OnRedirect ? OnRedirect(location, method, m_redirectCount) : follow;
        if (!approved) {
            RefuseReply(ignoreReplies);
            return TNetHTTPWhatsNext::wnJustExit;
        }
        if (m_io->IsOpen()) {
            // The redirect's own body is dropped, waiting at most a few seconds for it.
            const int saved = m_io->ReadTimeout;
            m_io->ReadTimeout = limits::kRedirectDrainTimeoutMs;
            try {
                DiscardBody();
            } catch (const ENetException&) {
                m_replyComplete = false;
            }
            m_io->ReadTimeout = saved;
        }
        if (follow) {
            m_nextURL = location;
            m_nextMethod = code == 302 || code == 303 ? "GET" : method;
            return TNetHTTPWhatsNext::wnGoToURL;
        }
        m_response.Location = location;
        return TNetHTTPWhatsNext::wnJustExit;
    }

    bool authNeeded = false;
    if (d != 2) {
        if (code == 401) {
            if (m_authRetries >= MaxAuthRetries || !AnswerServerChallenge()) {
                ResetServerAuthentication();
                RefuseReply(ignoreReplies);
                return TNetHTTPWhatsNext::wnJustExit;
            }
            authNeeded = (HTTPOptions & hoInProcessAuth) != 0;
            if (!authNeeded) {
                // The credentials go out with the next request; this reply is
                // still a refusal and must not reach the caller as a body.
                RefuseReply(ignoreReplies);
                return TNetHTTPWhatsNext::wnJustExit;
            }
        } else if (code == 407) {
            if (m_authProxyRetries >= MaxAuthRetries || !AnswerProxyChallenge()) {
                ResetProxyAuthentication();
                RefuseReply(ignoreReplies);
                return TNetHTTPWhatsNext::wnJustExit;
            }
            authNeeded = (HTTPOptions & hoInProcessAuth) != 0;
            if (!authNeeded) {
                RefuseReply(ignoreReplies);
                return TNetHTTPWhatsNext::wnJustExit;
            }
        } else {
            RefuseReply(ignoreReplies);
            return TNetHTTPWhatsNext::wnJustExit;
        }
    }
    if (authNeeded) {
        DiscardBody();
        return TNetHTTPWhatsNext::wnAuthRequest;
    }
    ReadResult(m_response.ContentStream, BodyUse::buAccepted);
    return TNetHTTPWhatsNext::wnJustExit;
}

bool TNetCustomHTTP::KeepAlive() {
    m_response.UpdateResponseVersion();
    if (!m_io || !m_io->Connected()) return false;
    const std::string connection = Trim(m_response.Connection);
    const std::string proxyConnection = Trim(m_response.ProxyConnection);
    // The client's own protocol version decides, not the reply's.
    if (ProtocolVersion == TNetHTTPProtocolVersion::pv1_0) {
        return SameText(connection, "KEEP-ALIVE") || SameText(proxyConnection, "KEEP-ALIVE");
    }
    return !SameText(connection, "CLOSE") && !SameText(proxyConnection, "CLOSE");
}

void TNetCustomHTTP::FinishRequest() noexcept {
    if (!m_io || !m_io->IsOpen()) {
        Disconnect();
        return;
    }
    bool keep = false;
    try {
        keep = m_replyComplete && !m_forceClose && KeepAlive() && m_io->IsOpen() && m_io->BufferedBytes() == 0;
    } catch (...) {
        keep = false;
    }
    if (!keep) Disconnect();
}

TNetAuthenticationCredentials TNetCustomHTTP::ServerCredentials() const {
    return {m_request.Username, m_request.Password, m_request.BasicAuthentication};
}

void TNetCustomHTTP::ComposeAuthorization(TNetHeaderList& headers) {
    const std::string value = m_serverAuth.HeaderValue(ServerCredentials(), rtDirect);
    if (!value.empty()) headers.SetValue("Authorization", value);
}

void TNetCustomHTTP::ComposeProxyAuthorization(TNetHeaderList& headers) {
    // Proxy credentials go only to the proxy; on a direct request the state
    // answers "" and the origin server never sees them.
    const bool viaProxy =
        m_request.UseProxy == TNetConnectionType::ctProxy || m_request.UseProxy == TNetConnectionType::ctSSLProxy;
    const std::string value =
        ProxyParams.Authentication().HeaderValue(ProxyParams.Credentials(), viaProxy ? rtViaProxy : rtDirect);
    if (!value.empty()) headers.SetValue("Proxy-Authorization", value);
}

void TNetCustomHTTP::ComposeCookies(TNetHeaderList& headers) {
    if (!m_cookieManager) return;
    const std::string value = m_cookieManager->GenerateCookieList(m_clientURI.Host, m_clientURI.Path);
    if (!value.empty()) headers.SetValue("Cookie", value);
}

void TNetCustomHTTP::TakeCookies() {
    if (!AllowCookies) return;
    if (!m_cookieManager) m_cookieManager = std::make_unique<TNetCookieManager>();
    // A bad "Set-cookie2" port list throws here and ends the request.
    m_cookieManager->AddServerCookies(m_response.RawHeaders.Extract("Set-cookie"),
                                      m_response.RawHeaders.Extract("Set-cookie2"), m_clientURI.Host);
}

bool TNetCustomHTTP::AnswerServerChallenge() {
    ++m_authRetries;
    TNetAuthenticationCredentials c = ServerCredentials();
    m_serverAuth.SetHandler(OnAuthorization);
    const bool approved = m_serverAuth.Answer(m_response.WWWAuthenticate, c) == caRetry;
    m_request.Username = c.Username;
    m_request.Password = c.Password;
    m_request.BasicAuthentication = c.BasicAuthentication;
    return approved;
}

bool TNetCustomHTTP::AnswerProxyChallenge() {
    ++m_authProxyRetries;
    TNetAuthenticationCredentials c = ProxyParams.Credentials();
    TNetAuthenticationState& state = ProxyParams.Authentication();
    state.SetHandler(OnProxyAuthorization);
    const bool approved = state.Answer(m_response.ProxyAuthenticate, c) == caRetry;
    ProxyParams.ProxyUsername = c.Username;
    ProxyParams.ProxyPassword = c.Password;
    return approved;
}

void TNetCustomHTTP::ResetServerAuthentication() { m_serverAuth.ResetObject(); }

void TNetCustomHTTP::ResetProxyAuthentication() { ProxyParams.Authentication().ResetObject(); }

void TNetCustomHTTP::ConnectionClosed() {
    m_serverAuth.Disconnected();
    ProxyParams.Authentication().Disconnected();
}

}  // namespace net
