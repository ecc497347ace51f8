// pelmira-get: fetches each URL in order with one HTTP client (so keep-alive
// and cookies carry over from one URL to the next) and writes every body's
// bytes to stdout unchanged. A failing URL is reported on stderr as
// "ExceptionClass: message" and the next URL is fetched. Exit status 0 when
// every URL succeeded, 1 otherwise, 2 for a bad command line.
#include "net/NetExceptions.h"
#include "net/NetHTTP.h"
#include "net/NetStream.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kUsage[] =
    "usage: pelmira-get [--proxy HOST:PORT] [--proxy-user U] [--proxy-pass P] [--proxy-basic] URL [URL...]\n";

// Body bytes straight to stdout as they arrive.
class StdoutStream : public net::TNetStream {
public:
    void Write(const char* data, std::size_t size) override {
        if (size > 0 && std::fwrite(data, 1, size, stdout) != size) throw net::ENetException("Cannot write to stdout");
        m_pos += static_cast<std::int64_t>(size);
    }
    std::int64_t Position() const override { return m_pos; }
    void Truncate(std::int64_t pos) override {
        if (pos != m_pos) throw net::ENetException("Cannot rewind stdout");
    }

private:
    std::int64_t m_pos = 0;
};

struct Options {
    std::string proxyHost;
    int proxyPort = 0;
    std::string proxyUser;
    std::string proxyPass;
    bool proxyBasic = false;
    std::vector<std::string> urls;
};

// Parses the command line; false on a malformed one.
bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--proxy" && hasValue) {
            const std::string v = argv[++i];
            const std::size_t colon = v.rfind(':');
            if (colon == std::string::npos || colon == 0) return false;
            o.proxyHost = v.substr(0, colon);
            const std::string port = v.substr(colon + 1);
            if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
                return false;
            o.proxyPort = std::stoi(port);
        } else if (a == "--proxy-user" && hasValue) {
            o.proxyUser = argv[++i];
        } else if (a == "--proxy-pass" && hasValue) {
            o.proxyPass = argv[++i];
        } else if (a == "--proxy-basic") {
            o.proxyBasic = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return false;
        } else {
            o.urls.push_back(a);
        }
    }
    return !o.urls.empty();
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Bytes as they are on both streams, so output matches on every system.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    net::TNetHTTP client;
    client.ProxyParams.SetProxyServer(options.proxyHost);
    client.ProxyParams.SetProxyPort(options.proxyPort);
    client.ProxyParams.ProxyUsername = options.proxyUser;
    client.ProxyParams.ProxyPassword = options.proxyPass;
    client.ProxyParams.BasicAuthentication = options.proxyBasic;

    bool allOk = true;
    for (const std::string& url : options.urls) {
        StdoutStream out;
        try {
            client.Get(url, &out);
        } catch (const net::ENetException& e) {
            allOk = false;
            std::fflush(stdout);
            std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.what());
        } catch (const std::exception& e) {
            allOk = false;
            std::fflush(stdout);
            std::fprintf(stderr, "Exception: %s\n", e.what());
        }
        std::fflush(stdout);
    }
    return allOk ? 0 : 1;
}
