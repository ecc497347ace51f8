#include "net/AuthenticationState.h"

#include "net/BasicAuthentication.h"

namespace net {
namespace {

// The scheme word of a challenge value: its text up to the first space.
std::string SchemeOf(const std::string& challenge) { return challenge.substr(0, challenge.find(' ')); }

}  // namespace

TNetAuthenticationState::TNetAuthenticationState(TNetAuthTarget target, const TNetAuthenticationRegistry& registry)
    : m_target(target), m_registry(registry) {}

std::string TNetAuthenticationState::HeaderValue(const TNetAuthenticationCredentials& credentials,
                                                 TNetAuthRoute route) {
    if (m_target == atProxy && route != rtViaProxy) return std::string();
    if (m_object) return m_object->Authentication();
    if (!credentials.BasicAuthentication) return std::string();
    m_object = std::make_unique<TNetBasicAuthentication>();
    m_object->SetUsername(credentials.Username);
    m_object->SetPassword(credentials.Password);
    return m_object->Authentication();
}

bool TNetAuthenticationState::RunSteps(TNetAuthenticationCredentials& credentials) {
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
    TNetAuthenticationCredentials supplied = credentials;
    if (!m_handler(*m_object, supplied)) return false;
    credentials.Username = supplied.Username;
    credentials.Password = supplied.Password;
    if (m_target == atServer) credentials.BasicAuthentication = true;
    m_object->SetUsername(credentials.Username);
    m_object->SetPassword(credentials.Password);
    return true;
}

TNetChallengeAnswer TNetAuthenticationState::Answer(const std::vector<std::string>& challenges,
                                                    TNetAuthenticationCredentials& credentials) {
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
    const bool mayApprove =
        m_target == atProxy ? static_cast<bool>(m_handler) : (m_handler || !Trim(credentials.Password).empty());
    if (!m_object || !mayApprove) return caRefuse;
    m_object->SetChallenges(challenges);
    return RunSteps(credentials) ? caRetry : caRefuse;
}

TNetChallengeAnswer TNetAuthenticationState::Challenge(const std::vector<std::string>& challenges,
                                                       TNetAuthenticationCredentials& credentials, int maxRetries) {
    TNetChallengeAnswer answer = caRefuse;
    if (m_retries < maxRetries) {
        ++m_retries;
        answer = Answer(challenges, credentials);
    }
    if (answer == caRefuse) ResetObject();
    return answer;
}

void TNetAuthenticationState::Disconnected() {
    if (!m_object || m_object->CurrentStep() != m_object->Steps()) return;
    if (m_target == atServer)
        m_object.reset();
    else
        m_object->Reset();
}

}  // namespace net
