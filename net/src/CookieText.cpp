#include "CookieText.h"

#include "net/CookieConvertError.h"
#include "net/Messages.h"
#include "platform/MessageText.h"

namespace net {

std::string CookieConvertErrorText(const std::string& entry) {
    return platform::FillMessage(messages::kNotAnInteger, {entry});
}

namespace cookietext {

CookieItems SplitCookieText(std::string_view text) {
    CookieItems items;
    bool first = true;
    std::size_t start = 0;
    while (true) {
        const std::size_t semicolon = text.find(';', start);
        const std::string item =
            Trim(text.substr(start, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - start));
        const std::size_t eq = item.find('=');
        if (first) {
            // Without "=" the whole item is the value and the name is empty.
            items.name = eq == std::string::npos ? std::string() : item.substr(0, eq);
            items.value = eq == std::string::npos ? item : item.substr(eq + 1);
            first = false;
        } else if (eq == std::string::npos) {
            items.attributes.push_back(UpperAscii(item));
        } else {
            items.attributes.push_back(UpperAscii(item.substr(0, eq)) + item.substr(eq));
        }
        if (semicolon == std::string_view::npos) break;
        start = semicolon + 1;
    }
    return items;
}

std::optional<std::string> FindAttribute(const std::vector<std::string>& attributes, std::string_view name) {
    for (const std::string& attribute : attributes) {
        const std::size_t eq = attribute.find('=');
        const std::string_view attributeName =
            std::string_view(attribute).substr(0, eq == std::string::npos ? attribute.size() : eq);
        if (SameText(attributeName, name)) return eq == std::string::npos ? std::string() : attribute.substr(eq + 1);
    }
    return std::nullopt;
}

}  // namespace cookietext
}  // namespace net
