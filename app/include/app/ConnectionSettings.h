#pragma once

#include "net/NetHTTP.h"
#include "xml/XmlDocument.h"

#include <stdexcept>
#include <string>
#include <string_view>

// Moving the proxy values of the settings document into the two HTTP clients.
namespace app {

// A settings value that cannot be read or used (no settings element, a port
// that is not a number); ApplyConnectionSettings stops at it without a message.
class ESettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The node that holds the settings: the root element's first child, whatever its
// name. Throws ESettingsError when the document has no root element or the root no child.
xml::TXmlNode& SettingsNode(const xml::TXmlDocument& settings);

// A value of the settings node (element name matched ignoring case); "" when
// missing. Throws ESettingsError as SettingsNode does.
std::string ReadSetting(const xml::TXmlDocument& settings, std::string_view key);

// Copies the proxy values into both clients, in this order: the basic
// authentication flag of both ("True" exactly), client 1's server and password,
// a non-empty port into client 1 and then client 2, client 1's user name, then
// client 2's server, password and user name. The first failure (no settings
// node, a port that does not convert) ends it silently: the steps before it stay done.
void ApplyConnectionSettings(const xml::TXmlDocument& settings, net::TNetHTTP& http1, net::TNetHTTP& http2) noexcept;

}  // namespace app
