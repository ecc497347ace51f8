#pragma once

#include "net/AuthenticationState.h"
#include "net/CookieManager.h"
#include "net/Limits.h"
#include "net/NetHTTPRequest.h"
#include "net/NetHTTPResponse.h"
#include "net/NetIOHandler.h"
#include "net/NetProxyConnectionInfo.h"
#include "net/NetStream.h"
#include "net/NetTransport.h"
#include "net/NetURI.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace net {

// HTTPOptions flags.
enum TNetHTTPOption : unsigned {
    hoInProcessAuth = 1u << 0,
    hoKeepOrigProtocol = 1u << 1,
    hoForceEncodeParams = 1u << 2,
};

// Outcome of classifying one reply.
enum class TNetHTTPWhatsNext { wnGoToURL = 0, wnJustExit = 1, wnDontKnow = 2, wnReadAndGo = 3, wnAuthRequest = 4 };

// Makes the transport of a new connection handler (the TCP socket by default).
using TNetTransportFactory = std::function<std::unique_ptr<TNetTransport>()>;

// A blocking HTTP/1.1 GET client with keep-alive. One connection at a time;
// the Request, Response and ClientURI objects persist between requests.
class TNetCustomHTTP {
public:
    // A client over TCP sockets.
    TNetCustomHTTP();
    // A client whose connections use transports from factory (tests, fuzzing).
    explicit TNetCustomHTTP(TNetTransportFactory factory);
    virtual ~TNetCustomHTTP();
    TNetCustomHTTP(const TNetCustomHTTP&) = delete;
    TNetCustomHTTP& operator=(const TNetCustomHTTP&) = delete;

    // GET url, writing the accepted reply's body into stream at its position.
    // Throws ENetHTTPProtocolException for every refused reply and the
    // transport's exceptions; stream must not be null.
    void Get(const std::string& url, TNetStream* stream);
    // GET url and return the body bytes as they are.
    std::string Get(const std::string& url);

    // Closes the connection, if open. Never throws.
    void Disconnect() noexcept;
    // Ends the running request from a handler that runs while it waits (connect,
    // send or reply): its connection is closed, the wait ends and Get throws
    // ENetRequestAborted. Does nothing when no request runs. Never throws.
    void Abort() noexcept;
    // Whether a request is running (Get has not returned yet).
    bool Busy() const { return m_busy; }
    // Whether a connection is open (moves waiting bytes in without waiting);
    // throws ENetSocketError when the socket reports an error.
    bool Connected();

    TNetHTTPProtocolVersion ProtocolVersion = TNetHTTPProtocolVersion::pv1_1;
    unsigned HTTPOptions = hoForceEncodeParams;
    bool HandleRedirects = false;
    int RedirectMaximum = limits::kDefaultRedirectMaximum;
    int MaxAuthRetries = limits::kDefaultMaxAuthRetries;
    // Header lines accepted per reply; 0 or less: up to the absolute maximum.
    int MaxHeaderLines = limits::kDefaultMaxHeaderLines;
    bool AllowCookies = true;
    // Connect limit in ms; 0: the transport's rule (120 s with the anti-freeze).
    int ConnectTimeout = 0;
    // Read limit in ms; -1: wait without limit.
    int ReadTimeout = -1;
    // Largest reply body accepted in bytes; 0: no limit. Past it the Get
    // throws ENetBodyTooLarge and the connection is closed.
    std::int64_t MaxBodySize = limits::kNoBodyLimit;
    TNetProxyConnectionInfo ProxyParams;

    // Asked after a reply's header block; returning false skips the body and closes.
    std::function<bool()> OnHeadersAvailable;
    // Asked for a redirect (target and method may be changed); returns approval.
    std::function<bool(std::string& location, std::string& method, int count)> OnRedirect;
    // Asked for server credentials after a 401 (may fill them; false refuses).
    TNetAuthenticationState::TAuthorizationHandler OnAuthorization;
    // Asked for proxy credentials after a 407 (may fill them; false refuses).
    TNetAuthenticationState::TAuthorizationHandler OnProxyAuthorization;

    // The persistent request object.
    TNetHTTPRequest& Request() { return m_request; }
    // The reply object of the last request.
    TNetHTTPResponse& Response() { return m_response; }
    // The merged target of the last request.
    const TNetURI& ClientURI() const { return m_clientURI; }
    // The cookie store; nullptr until the first reply was read with AllowCookies on.
    TNetCookieManager* CookieManager() const { return m_cookieManager.get(); }
    // The server's authentication state (the object behind "Authorization").
    TNetAuthenticationState& ServerAuthentication() { return m_serverAuth; }
    // The status code of the last reply.
    int ResponseCode() const { return m_response.ResponseCode(); }
    // Per-request counters.
    int RedirectCount() const { return m_redirectCount; }
    int AuthRetries() const { return m_authRetries; }
    int AuthProxyRetries() const { return m_authProxyRetries; }
    // The host and port of the current or last connection.
    const std::string& ConnectedHost() const { return m_connHost; }
    int ConnectedPort() const { return m_connPort; }

protected:
    // The request loop: sends method to url and reads the reply into stream.
    void DoRequest(const std::string& method, const std::string& url, TNetStream* stream,
                   const std::vector<int>& ignoreReplies);

private:
    // Merges url into ClientURI and sets the request-line target and Host.
    void PrepareRequest(const std::string& url);
    // Chooses direct or proxy target, closes a connection to another target,
    // a connection not fit for reuse, and connects when needed; returns whether
    // an existing connection is reused.
    bool EnsureConnection();
    // Opens a connection to host:port; throws ENetHostRequired / ENetPortRequired first.
    void Connect(const std::string& host, int port);
    // Fills the raw header list in the fixed order and writes the request head.
    void SendRequestHead();
    void ComposeHeaders();
    // Reads the status line and header block (skipping 100 replies).
    void ReadReplyHead();
    // Classifies the reply and acts on it (reads or refuses the body).
    TNetHTTPWhatsNext ProcessResponse(const std::vector<int>& ignoreReplies);
    // What a body read is for: the caller's accepted reply, or a reply whose
    // body is dropped or only kept as an error text.
    enum class BodyUse { buAccepted, buDropped };
    // Reads the body into target under the reply's framing. A counted body cut
    // short by the peer's close throws ENetConnClosedGracefully for buAccepted.
    void ReadResult(TNetStream* target, BodyUse use);
    // Reads a refused reply's body and throws ENetHTTPProtocolException unless ignored.
    void RefuseReply(const std::vector<int>& ignoreReplies);
    // Reads a body into a scratch stream and drops it.
    void DiscardBody();
    // Whether the connection may carry another request (keep-alive rules).
    bool KeepAlive();
    // Closes the connection unless it is clean and kept alive.
    void FinishRequest() noexcept;
    // Whether the reply's status code carries no body by definition.
    bool ReplyHasNoBody() const;

    // Credentials and cookies; each runs where the request or reply is handled.
    // Adds the "Authorization" line (last request header).
    void ComposeAuthorization(TNetHeaderList& headers);
    // Adds the "Proxy-Authorization" line (only on requests that travel to a proxy).
    void ComposeProxyAuthorization(TNetHeaderList& headers);
    // Adds the "Cookie" line for ClientURI (last line of the head).
    void ComposeCookies(TNetHeaderList& headers);
    // Hands the "Set-cookie"/"Set-cookie2" values of every reply head to the store.
    void TakeCookies();
    // Answers a 401 / 407 challenge; true approves a retry with credentials.
    bool AnswerServerChallenge();
    bool AnswerProxyChallenge();
    // Resets the authentication state of a refused challenge.
    void ResetServerAuthentication();
    void ResetProxyAuthentication();
    // Runs when the connection closes.
    void ConnectionClosed();
    // Username, Password and BasicAuthentication of the request.
    TNetAuthenticationCredentials ServerCredentials() const;

    TNetTransportFactory m_factory;
    std::unique_ptr<TNetIOHandler> m_io;
    TNetHTTPRequest m_request;
    TNetHTTPResponse m_response;
    TNetURI m_clientURI;
    std::unique_ptr<TNetCookieManager> m_cookieManager;
    TNetAuthenticationState m_serverAuth{atServer};
    std::string m_connHost;
    int m_connPort = 0;
    platform::IpVersion m_connIPVersion = platform::IpVersion::ipV4;
    int m_redirectCount = 0;
    int m_authRetries = 0;
    int m_authProxyRetries = 0;
    // The last reply ended exactly where its framing said, so the connection
    // holds nothing of it; false whenever that is unknown.
    bool m_replyComplete = false;
    // Target and method of the next pass of the request loop (redirects).
    std::string m_nextURL;
    std::string m_nextMethod;
    // A status line of the current attempt was read (no silent resend after it).
    bool m_statusSeen = false;
    // A connection was opened and its end has not been handled yet.
    bool m_connectionActive = false;
    // A hook vetoed the body: the connection is closed after the request.
    bool m_forceClose = false;
    // A request is running, and whether Abort ended it.
    bool m_busy = false;
    bool m_aborted = false;
};

// The client class the program's windows own.
class TNetHTTP : public TNetCustomHTTP {
public:
    using TNetCustomHTTP::TNetCustomHTTP;
};

}  // namespace net
