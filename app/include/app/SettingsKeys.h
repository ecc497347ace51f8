#pragma once

#include <array>
#include <string_view>

// Names of the settings file, its elements and the values the program gives meaning to.
namespace app {

// The settings file, in the program's data folder.
inline constexpr std::string_view kSettingsFileName = "settings.xml";
// The root element and its one child of a settings document the program creates.
inline constexpr std::string_view kSettingsRoot = "Root";
inline constexpr std::string_view kSettingsNode = "Settings";

// One element per setting, in the order the program writes and reads them.
inline constexpr std::string_view kKeyAllowUploads = "allowsuploadingversions";
inline constexpr std::string_view kKeyAuthentication = "authentication";
inline constexpr std::string_view kKeyHost = "host";
inline constexpr std::string_view kKeyPassword = "password";
inline constexpr std::string_view kKeyPort = "port";
inline constexpr std::string_view kKeyUserId = "userid";
inline constexpr std::string_view kKeyVersion = "version";
inline constexpr std::array<std::string_view, 7> kSettingKeys{
    kKeyAllowUploads, kKeyAuthentication, kKeyHost, kKeyPassword, kKeyPort, kKeyUserId, kKeyVersion};

// The authentication value that turns basic authentication towards the proxy on (case-sensitive).
inline constexpr std::string_view kBasicAuthOn = "True";

}  // namespace app
