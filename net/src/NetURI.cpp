#include "net/NetURI.h"
#include "net/Messages.h"
#include "net/NetExceptions.h"

#include "platform/CodePage.h"

namespace net {
namespace {

// Backslashes become slashes; the trail byte of a double-byte character may be
// a backslash code and is kept.
std::string NormaliseSlashes(const std::string& url) {
    std::string out = url;
    const bool multiByte = platform::IsMultiByteCodePage();
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (multiByte && platform::IsLeadByte(static_cast<unsigned char>(out[i]))) {
            ++i;
            continue;
        }
        if (out[i] == '\\') out[i] = '/';
    }
    return out;
}

// Cuts rest into path (up to the last "/" before the query), document and params.
void SplitResource(const std::string& rest, std::string& path, std::string& document, std::string& params) {
    std::size_t q = rest.find('?');
    if (q == std::string::npos) q = rest.find('=');
    const std::size_t limit = q == std::string::npos ? rest.size() : q;
    const std::size_t slash = limit == 0 ? std::string::npos : rest.rfind('/', limit - 1);
    const std::size_t pathLen = slash == std::string::npos ? 0 : slash + 1;
    path = rest.substr(0, pathLen);
    if (q == std::string::npos) {
        document = rest.substr(pathLen);
    } else {
        document = rest.substr(pathLen, q - pathLen);
        params = rest.substr(q);
    }
}

}  // namespace

void TNetURI::SetURI(const std::string& url) {
    URI = url;
    std::string u = NormaliseSlashes(url);
    Protocol.clear();
    Username.clear();
    Password.clear();
    Host.clear();
    Port.clear();
    Path.clear();
    Document.clear();
    Params.clear();
    Bookmark.clear();
    IPVersion = platform::IpVersion::ipV4;

    const std::size_t scheme = u.find("://");
    if (scheme != std::string::npos) {
        Protocol = u.substr(0, scheme);
        u.erase(0, scheme + 3);
        std::string authority;
        const std::size_t slash = u.find('/');
        if (slash == std::string::npos) {
            authority = u;
            u.clear();
        } else {
            authority = u.substr(0, slash);
            u.erase(0, slash + 1);
        }
        const std::size_t at = authority.find('@');
        if (at != std::string::npos) {
            const std::string userInfo = authority.substr(0, at);
            authority.erase(0, at + 1);
            const std::size_t colon = userInfo.find(':');
            Username = userInfo.substr(0, colon);
            if (colon != std::string::npos) Password = userInfo.substr(colon + 1);
            if (Username.empty()) Password.clear();
        }
        const std::size_t open = authority.find('[');
        const std::size_t close = authority.find(']');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            Host = authority.substr(open + 1, close - open - 1);
            const std::size_t colon = authority.find(':', close);
            if (colon != std::string::npos) Port = authority.substr(colon + 1);
            IPVersion = platform::IpVersion::ipV6;
        } else {
            const std::size_t colon = authority.find(':');
            Host = authority.substr(0, colon);
            if (colon != std::string::npos) Port = authority.substr(colon + 1);
        }
        std::string path;
        SplitResource(u, path, Document, Params);
        Path = "/" + path;
    } else {
        SplitResource(u, Path, Document, Params);
    }
    // A bookmark is cut from relative references too, so it never reaches the wire.
    const std::size_t docHash = Document.find('#');
    if (docHash != std::string::npos) {
        Bookmark = Document.substr(docHash + 1);
        Document.erase(docHash);
    }
    if (Bookmark.empty()) {
        const std::size_t hash = Params.find('#');
        if (hash != std::string::npos) {
            Bookmark = Params.substr(hash + 1);
            Params.erase(hash);
        }
    }
}

std::string TNetURI::Join(TNetURIUserInfo userInfo, TNetURIBookmark bookmark) const {
    if (Protocol.empty()) throw ENetURIException(messages::kProtocolFieldEmpty);
    if (Host.empty()) throw ENetURIException(messages::kHostFieldEmpty);
    std::string out = Protocol + "://";
    if (userInfo == TNetURIUserInfo::uiInclude && !Username.empty()) {
        out += Username;
        if (!Password.empty()) out += ":" + Password;
        out += "@";
    }
    out += IPVersion == platform::IpVersion::ipV6 ? "[" + Host + "]" : Host;
    if (!Port.empty() && Port != "80") out += ":" + Port;
    out += Path + Document + Params;
    if (bookmark == TNetURIBookmark::bmInclude && !Bookmark.empty()) out += "#" + Bookmark;
    return out;
}

void TNetURI::MergePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') {
        Path = path;
        return;
    }
    std::string joined = Path;
    if (joined.empty() || joined.back() != '/') joined += '/';
    joined += path;
    std::string out;
    for (std::size_t i = 0; i < joined.size(); ++i) {
        const char c = joined[i];
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        if (c == '.' && i + 1 < joined.size() && joined[i + 1] == '.' && i > 0 && joined[i - 1] == '/') {
            // ".." drops the last segment copied so far (never the root "/").
            if (out.size() > 1) {
                out.pop_back();
                const std::size_t slash = out.rfind('/');
                out.erase(slash == std::string::npos ? 0 : slash + 1);
            }
            ++i;
            continue;
        }
        out += c;
    }
    const bool keepSlash = path.empty() || path.back() == '/';
    if (!keepSlash && out.size() > 1 && out.back() == '/') out.pop_back();
    Path = out;
}

}  // namespace net
