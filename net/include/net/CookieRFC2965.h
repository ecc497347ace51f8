#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/CookieRFC2109.h"

namespace net {

// A cookie from a "Set-cookie2" line: adds "CommentURL", "Discard" and the "Port"
// list to the attributes of TNetCookieRFC2109. Starts as version 2.
class TNetCookieRFC2965 : public TNetCookieRFC2109 {
public:
    TNetCookieRFC2965() { m_version = 2; }

    // A copy of the same class.
    std::unique_ptr<TNetNetscapeCookie> Clone() const override;

    // The "CommentURL" attribute as received.
    const std::string& CommentURL() const { return m_commentURL; }
    // Whether "Discard" was given.
    bool Discard() const { return m_discard; }
    // The ports: [80] without a "Port" attribute, the listed ports for a quoted
    // comma list, empty for an unquoted value.
    const std::vector<std::int32_t>& PortList() const { return m_portList; }

protected:
    // Throws ECookieConvertError for a quoted port list entry that is not a 32-bit integer.
    void ReadAttributes(const std::vector<std::string>& attributes, std::int64_t now) override;
    int ClassVersion() const override { return 2; }

private:
    std::string m_commentURL;
    bool m_discard = false;
    std::vector<std::int32_t> m_portList{80};
};

}  // namespace net
