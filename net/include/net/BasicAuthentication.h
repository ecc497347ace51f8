#pragma once

#include <string>

#include "net/Authentication.h"

namespace net {

// The Basic scheme: one step; the header value is "Basic " and the base64 of
// user name + ":" + password (both trimmed; bytes as they are).
class TNetBasicAuthentication : public TNetAuthentication {
public:
    // Reads the "Basic" challenge line into the parameters and the realm; with a
    // user name the request can go again, without one the program is asked.
    TNetAuthWhatsNext Next() override;
    // One step.
    int Steps() const override { return 1; }
    // Back to step 0.
    void Reset() override { m_currentStep = 0; }
    // "Basic " + base64(user name + ":" + password); empty credentials give "Basic Og==".
    std::string Authentication() override;
    // Basic needs no kept connection.
    bool KeepAlive() const override { return false; }
    // The realm of the last challenge, without its quotes.
    const std::string& Realm() const { return m_realm; }

private:
    void ReadChallenge();

    std::string m_realm;
};

}  // namespace net
