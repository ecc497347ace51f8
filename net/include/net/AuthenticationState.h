#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/Authentication.h"
#include "net/AuthenticationCredentials.h"
#include "net/AuthenticationRegistry.h"

namespace net {

// Which credentials a state object handles: the proxy's ("Proxy-Authorization",
// 407 replies with "Proxy-Authenticate") or the server's ("Authorization", 401
// replies with "WWW-Authenticate").
enum TNetAuthTarget { atProxy, atServer };

// How the request being written travels: straight to the origin server or to a proxy.
enum TNetAuthRoute { rtDirect, rtViaProxy };

// The answer to a 401 or 407 reply: send the request again, or refuse the reply.
enum TNetChallengeAnswer { caRetry, caRefuse };

// The authentication object of one side of one client, with its retry counter.
// The client keeps one for the proxy (with the proxy parameters) and one for the
// server (with the request), and consults it when it writes a request head, when
// a 401 or 407 arrives, when its connection closes and when the proxy changes.
//
// Proxy credentials are written only on requests that travel to a proxy: a line
// on a direct request would hand the proxy password to the origin server.
class TNetAuthenticationState {
public:
    // May supply credentials when a scheme asks the program: fills credentials and
    // returns true to go on, or returns false to refuse.
    using TAuthorizationHandler =
        std::function<bool(TNetAuthentication& scheme, TNetAuthenticationCredentials& credentials)>;

    // A state for target whose schemes come from registry, which must outlive it.
    explicit TNetAuthenticationState(
        TNetAuthTarget target, const TNetAuthenticationRegistry& registry = TNetAuthenticationRegistry::Instance());

    // Sets (or, with an empty function, clears) the handler asked for credentials.
    void SetHandler(TAuthorizationHandler handler) { m_handler = std::move(handler); }

    // The value of the authorization line of the next request, "" for no line.
    // An existing object's value wins; otherwise, with BasicAuthentication on, a
    // Basic object is made from the credentials and kept, so later changes of the
    // user name or password take effect only after Discard(). For atProxy the
    // value is "" on a direct route and nothing is made or changed.
    std::string HeaderValue(const TNetAuthenticationCredentials& credentials, TNetAuthRoute route);

    // Answers a 401 (atServer) or 407 (atProxy) reply whose challenge values
    // ("WWW-Authenticate" or "Proxy-Authenticate", in order) are challenges,
    // without counting. Without an object, makes one of the scheme named by the
    // first challenge (atProxy) or by the first challenge naming a registered
    // scheme (atServer), and keeps it even when refusing. atProxy goes again only
    // with a handler; atServer only with a handler or a non-blank password.
    // Credentials the handler supplies are copied back into credentials.
    TNetChallengeAnswer Answer(const std::vector<std::string>& challenges, TNetAuthenticationCredentials& credentials);
    // Resets the object, if any (after a refused challenge).
    void ResetObject() {
        if (m_object) m_object->Reset();
    }
    // Answer() with the retry counter: refuses once maxRetries answers were given
    // since ResetRetries(), and resets the object whenever it refuses.
    TNetChallengeAnswer Challenge(const std::vector<std::string>& challenges,
                                  TNetAuthenticationCredentials& credentials, int maxRetries);

    // Sets the retry counter back to 0 (at the start of every request and after a redirect).
    void ResetRetries() { m_retries = 0; }
    // Answers given since the last ResetRetries().
    int Retries() const { return m_retries; }

    // Frees the object (the proxy server or port changed value).
    void Discard() { m_object.reset(); }
    // The connection closed: an object that has gone through all its steps is
    // freed (atServer) or reset (atProxy).
    void Disconnected();

    // The current object, nullptr when none.
    TNetAuthentication* Object() const { return m_object.get(); }

private:
    bool RunSteps(TNetAuthenticationCredentials& credentials);

    TNetAuthTarget m_target;
    const TNetAuthenticationRegistry& m_registry;
    TAuthorizationHandler m_handler;
    std::unique_ptr<TNetAuthentication> m_object;
    int m_retries = 0;
};

}  // namespace net
