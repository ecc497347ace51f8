#include "net/AuthenticationRegistry.h"

#include "net/BasicAuthentication.h"

namespace net {
namespace {

constexpr char kAlreadyRegisteredText[] = "This authentication method is already registered with class name %s.";

std::string AlreadyRegisteredMessage(const std::string& className) {
    std::string text = kAlreadyRegisteredText;
    return text.replace(text.find("%s"), 2, className);
}

std::unique_ptr<TAuthentication> MakeBasic() { return std::make_unique<TBasicAuthentication>(); }

}  // namespace

ENetAlreadyRegisteredAuthenticationMethod::ENetAlreadyRegisteredAuthenticationMethod(const std::string& className)
    : std::runtime_error(AlreadyRegisteredMessage(className)) {}

TAuthenticationRegistry::TAuthenticationRegistry() { m_entries.push_back({"Basic", "TBasicAuthentication", MakeBasic}); }

TAuthenticationRegistry& TAuthenticationRegistry::Instance() {
    static TAuthenticationRegistry registry;
    return registry;
}

void TAuthenticationRegistry::Register(const std::string& scheme, const std::string& className, TFactory factory) {
    std::lock_guard lock(m_lock);
    for (const TEntry& entry : m_entries)
        if (AuthTextEqualsNoCase(entry.scheme, scheme)) throw ENetAlreadyRegisteredAuthenticationMethod(entry.className);
    m_entries.push_back({scheme, className, factory});
}

void TAuthenticationRegistry::Unregister(const std::string& scheme) {
    std::lock_guard lock(m_lock);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (AuthTextEqualsNoCase(it->scheme, scheme)) {
            m_entries.erase(it);
            return;
        }
    }
}

bool TAuthenticationRegistry::IsRegistered(const std::string& scheme) const {
    std::lock_guard lock(m_lock);
    for (const TEntry& entry : m_entries)
        if (AuthTextEqualsNoCase(entry.scheme, scheme)) return true;
    return false;
}

std::unique_ptr<TAuthentication> TAuthenticationRegistry::Create(const std::string& scheme) const {
    std::lock_guard lock(m_lock);
    for (const TEntry& entry : m_entries)
        if (AuthTextEqualsNoCase(entry.scheme, scheme)) return entry.factory();
    return nullptr;
}

}  // namespace net
