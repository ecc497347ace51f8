#include "net/AuthenticationState.h"

#include "net/BasicAuthentication.h"

namespace net {
namespace {

// The scheme word of a challenge value: its text up to the first space.
std::string SchemeOf(const std::string& challenge) { return challenge.substr(0, challenge.find(' ')); }

}  // namespace

TAuthenticationState::TAuthenticationState(TAuthTarget target, const TAuthenticationRegistry& registry)
    : m_target(target), m_registry(registry) {}

std::string TAuthenticationState::HeaderValue(const TAuthenticationCredentials& credentials, TAuthRoute route) {
    if (m_target == atProxy && route != rtViaProxy) return std::string();
    if (m_object) return m_object->Authentication();
    if (!credentials.BasicAuthentication) return std::string();
    m_object = std::make_unique<TBasicAuthentication>();
    m_object->SetUsername(credentials.Username);
    m_object->SetPassword(credentials.Password);
    return m_object->Authentication();
}

bool TAuthenticationState::RunSteps(TAuthenticationCredentials& credentials) {
    m_object->SetUsername(credentials.Username);
    m_object->SetPassword(credentials.Password);
    switch (m_object->Next()) {
        case wnDoRequest:
            return true;
        case wnFail:
            return false;
        case wnAskTheProgram:
            break;
    }
    if (!m_handler) return false;
    TAuthenticationCredentials supplied = credentials;
    if (!m_handler(*m_object, supplied)) return false;
    credentials.Username = supplied.Username;
    credentials.Password = supplied.Password;
    if (m_target == atServer) credentials.BasicAuthentication = true;
    m_object->SetUsername(credentials.Username);
    m_object->SetPassword(credentials.Password);
    return true;
}

TChallengeAnswer TAuthenticationState::Challenge(const std::vector<std::string>& challenges,
                                                 TAuthenticationCredentials& credentials, int maxRetries) {
    bool approve = false;
    if (m_retries < maxRetries) {
        ++m_retries;
        if (!m_object) {
            if (m_target == atProxy) {
                if (!challenges.empty()) m_object = m_registry.Create(SchemeOf(challenges.front()));
            } else {
                for (const std::string& challenge : challenges) {
                    m_object = m_registry.Create(SchemeOf(challenge));
                    if (m_object) break;
                }
            }
        }
        const bool mayApprove = m_target == atProxy
                                    ? static_cast<bool>(m_handler)
                                    : (m_handler || !TrimAuthText(credentials.Password).empty());
        if (m_object && mayApprove) {
            m_object->SetChallenges(challenges);
            approve = RunSteps(credentials);
        }
    }
    if (approve) return caRetry;
    if (m_object) m_object->Reset();
    return caRefuse;
}

void TAuthenticationState::Disconnected() {
    if (!m_object || m_object->CurrentStep() != m_object->Steps()) return;
    if (m_target == atServer)
        m_object.reset();
    else
        m_object->Reset();
}

}  // namespace net
