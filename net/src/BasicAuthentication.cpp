#include "net/BasicAuthentication.h"

#include "net/Base64.h"

namespace net {
namespace {

constexpr std::string_view kScheme = "Basic";

bool StartsWithScheme(const std::string& line) {
    return line.size() >= kScheme.size() && SameText(std::string_view(line).substr(0, kScheme.size()), kScheme);
}

}  // namespace

void TNetBasicAuthentication::ReadChallenge() {
    for (const std::string& line : Challenges()) {
        if (!StartsWithScheme(line)) continue;
        const std::size_t space = line.find(' ');
        const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
        std::size_t start = 0;
        while (start < rest.size()) {
            const std::size_t separator = rest.find(", ", start);
            const std::string pair =
                rest.substr(start, separator == std::string::npos ? std::string::npos : separator - start);
            const std::size_t eq = pair.find('=');
            const std::string name = Trim(pair.substr(0, eq));
            const std::string value = eq == std::string::npos ? std::string() : pair.substr(eq + 1);
            // A challenge must not choose the credentials this program sends.
            if (!name.empty() && !SameText(name, "username") && !SameText(name, "password"))
                Params().SetValue(name, value);
            if (SameText(name, "realm"))
                m_realm = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string();
            if (separator == std::string::npos) break;
            start = separator + 2;
        }
        return;
    }
}

TNetAuthWhatsNext TNetBasicAuthentication::Next() {
    ReadChallenge();
    if (m_currentStep != 0) return wnFail;
    return Username().empty() ? wnAskTheProgram : wnDoRequest;
}

std::string TNetBasicAuthentication::Authentication() {
    return std::string(kScheme) + " " + EncodeBase64(Username() + ":" + Password());
}

}  // namespace net
