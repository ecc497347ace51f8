#include "net/AuthenticationRegistry.h"

#include "net/BasicAuthentication.h"
#include "net/Messages.h"
#include "platform/MessageText.h"

namespace net {
namespace {

std::unique_ptr<TNetAuthentication> MakeBasic() { return std::make_unique<TNetBasicAuthentication>(); }

}  // namespace

ENetAlreadyRegisteredAuthenticationMethod::ENetAlreadyRegisteredAuthenticationMethod(const std::string& className)
    : ENetException(platform::FillMessage(messages::kAlreadyRegistered, {className})) {}

TNetAuthenticationRegistry::TNetAuthenticationRegistry() {
    m_entries.push_back({"Basic", "TNetBasicAuthentication", MakeBasic});
}

TNetAuthenticationRegistry& TNetAuthenticationRegistry::Instance() {
    static TNetAuthenticationRegistry registry;
    return registry;
}

void TNetAuthenticationRegistry::Register(const std::string& scheme, const std::string& className, TFactory factory) {
    std::lock_guard lock(m_lock);
    for (const TEntry& entry : m_entries)
        if (SameText(entry.scheme, scheme)) throw ENetAlreadyRegisteredAuthenticationMethod(entry.className);
    m_entries.push_back({scheme, className, factory});
}

void TNetAuthenticationRegistry::Unregister(const std::string& scheme) {
    std::lock_guard lock(m_lock);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (SameText(it->scheme, scheme)) {
            m_entries.erase(it);
            return;
        }
    }
}

bool TNetAuthenticationRegistry::IsRegistered(const std::string& scheme) const {
    std::lock_guard lock(m_lock);
    for (const TEntry& entry : m_entries)
        if (SameText(entry.scheme, scheme)) return true;
    return false;
}

std::unique_ptr<TNetAuthentication> TNetAuthenticationRegistry::Create(const std::string& scheme) const {
    std::lock_guard lock(m_lock);
    for (const TEntry& entry : m_entries)
        if (SameText(entry.scheme, scheme)) return entry.factory();
    return nullptr;
}

}  // namespace net
