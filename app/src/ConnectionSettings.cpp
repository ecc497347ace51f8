#include "app/ConnectionSettings.h"

#include "app/IntText.h"
#include "app/SettingsKeys.h"

namespace app {

namespace {

int PortValue(const std::string& text) {
    const auto value = TextToInt(text);
    if (!value) throw ESettingsError("'" + text + "' is not a valid integer value");
    return *value;
}

}  // namespace

xml::TXmlNode& SettingsNode(const xml::TXmlDocument& settings) {
    xml::TXmlNode* root = settings.RootElement();
    if (root == nullptr) throw ESettingsError("The settings document has no root element");
    xml::TXmlNode* node = root->Child(0);
    if (node == nullptr) throw ESettingsError("The settings document has no settings element");
    return *node;
}

std::string ReadSetting(const xml::TXmlDocument& settings, std::string_view key) {
    return SettingsNode(settings).ReadText(key, "");
}

void ApplyConnectionSettings(const xml::TXmlDocument& settings, net::TNetHTTP& http1, net::TNetHTTP& http2) noexcept {
    try {
        const bool basic = ReadSetting(settings, kKeyAuthentication) == kBasicAuthOn;
        http1.ProxyParams.BasicAuthentication = basic;
        http2.ProxyParams.BasicAuthentication = basic;
        http1.ProxyParams.SetProxyServer(ReadSetting(settings, kKeyHost));
        http1.ProxyParams.ProxyPassword = ReadSetting(settings, kKeyPassword);
        const std::string port = ReadSetting(settings, kKeyPort);
        if (!port.empty()) {
            http1.ProxyParams.SetProxyPort(PortValue(port));
            http2.ProxyParams.SetProxyPort(PortValue(port));
        }
        http1.ProxyParams.ProxyUsername = ReadSetting(settings, kKeyUserId);
        http2.ProxyParams.SetProxyServer(ReadSetting(settings, kKeyHost));
        http2.ProxyParams.ProxyPassword = ReadSetting(settings, kKeyPassword);
        http2.ProxyParams.ProxyUsername = ReadSetting(settings, kKeyUserId);
    } catch (...) {
        // Settings that cannot be applied leave the clients as far as they got;
        // the user sees no message (the next confirmed settings try again).
    }
}

}  // namespace app
