#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "net/Authentication.h"
#include "net/NetExceptions.h"

namespace net {

// Raised when a scheme name is registered a second time. Its message is
// "This authentication method is already registered with class name <class>."
// with the class name of the entry already there.
class ENetAlreadyRegisteredAuthenticationMethod : public ENetException {
public:
    // className: the class of the existing entry.
    explicit ENetAlreadyRegisteredAuthenticationMethod(const std::string& className);
    const char* ClassName() const noexcept override { return "ENetAlreadyRegisteredAuthenticationMethod"; }
};

// The authentication schemes the client knows, by name (compared ignoring
// case). The process-wide instance holds exactly "Basic" from the start.
class TNetAuthenticationRegistry {
public:
    // Makes a new, empty object of one scheme.
    using TFactory = std::unique_ptr<TNetAuthentication> (*)();

    // A registry holding "Basic" (TNetBasicAuthentication).
    TNetAuthenticationRegistry();

    // The process-wide registry, alive from first use to the end of the run.
    static TNetAuthenticationRegistry& Instance();

    // Adds scheme, made by factory and known as className. Throws
    // ENetAlreadyRegisteredAuthenticationMethod when the name is there already.
    void Register(const std::string& scheme, const std::string& className, TFactory factory);
    // Removes scheme; does nothing when it is not there.
    void Unregister(const std::string& scheme);
    // Whether scheme is registered.
    bool IsRegistered(const std::string& scheme) const;
    // A new object of scheme, nullptr when it is not registered.
    std::unique_ptr<TNetAuthentication> Create(const std::string& scheme) const;

private:
    struct TEntry {
        std::string scheme;
        std::string className;
        TFactory factory;
    };

    mutable std::mutex m_lock;
    std::vector<TEntry> m_entries;
};

}  // namespace net
