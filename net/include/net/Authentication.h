#pragma once

#include <memory>
#include <string>
#include <vector>

#include "net/AuthenticationParams.h"

namespace net {

// What an authentication scheme wants after a challenge: ask the program for
// credentials, send the request again with the credentials, or give up.
enum TNetAuthWhatsNext { wnAskTheProgram, wnDoRequest, wnFail };

// An authentication scheme: its parameters (credentials under "Username" and
// "Password", read back trimmed), the server's last challenge lines and a step
// counter that starts at 0. Schemes derive from it and are created through
// TNetAuthenticationRegistry.
class TNetAuthentication {
public:
    TNetAuthentication() = default;
    virtual ~TNetAuthentication() = default;
    TNetAuthentication(const TNetAuthentication&) = delete;
    TNetAuthentication& operator=(const TNetAuthentication&) = delete;

    // Works through the challenge lines and says what to do next.
    virtual TNetAuthWhatsNext Next() = 0;
    // Number of steps the scheme takes; 0 here.
    virtual int Steps() const { return 0; }
    // Stores the password under "Password".
    virtual void SetPassword(const std::string& password);
    // Stores the user name under "Username".
    virtual void SetUsername(const std::string& username);
    // Starts the scheme over; does nothing here.
    virtual void Reset() {}
    // The header value to send, e.g. "Basic dTpw".
    virtual std::string Authentication() = 0;
    // Whether the scheme needs the connection kept open between its steps.
    virtual bool KeepAlive() const = 0;

    // The user name, trimmed; "" when none.
    std::string Username() const { return m_params.Value("username"); }
    // The password, trimmed; "" when none.
    std::string Password() const { return m_params.Value("password"); }
    // Keeps a copy of the server's challenge lines for the next step.
    void SetChallenges(const std::vector<std::string>& challenges) { m_challenges = challenges; }
    // The challenge lines last given.
    const std::vector<std::string>& Challenges() const { return m_challenges; }
    // The step the scheme is at.
    int CurrentStep() const { return m_currentStep; }
    // The parameter list.
    TNetAuthenticationParams& Params() { return m_params; }
    // The parameter list.
    const TNetAuthenticationParams& Params() const { return m_params; }

protected:
    int m_currentStep = 0;

private:
    TNetAuthenticationParams m_params;
    std::vector<std::string> m_challenges;
};

}  // namespace net
