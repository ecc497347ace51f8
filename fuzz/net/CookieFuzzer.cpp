// Feeds arbitrary bytes to the cookie store and the HTTP date reader.
// Input layout: the first line is the replying host, the second the request
// path; every further line is one "Set-cookie" value (or, when it starts with
// "2:", one "Set-cookie2" value). Each line is also read as an HTTP date.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/CookieConvertError.h"
#include "net/CookieManager.h"
#include "net/HttpDate.h"

namespace {

class FixedClock final : public net::TNetCookieClock {
public:
    std::int64_t Now() const override { return now; }
    std::int64_t now = 1700000000;
};

void CheckDate(std::string_view text) {
    const auto instant = net::ParseHttpDate(text);
    if (!instant) return;
    // Whatever was read must write and read back to the same instant when it is
    // within the years the writer covers.
    if (*instant < net::kFirstHttpTime || *instant > net::kLastHttpTime) return;
    const auto back = net::ParseHttpDate(net::FormatHttpDate(*instant));
    if (!back || *back != *instant) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = input.find('\n', start);
        lines.push_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    const std::string host(lines.empty() ? std::string_view() : lines[0]);
    const std::string path(lines.size() < 2 ? std::string_view("/") : lines[1]);

    FixedClock clock;
    net::TNetCookieManager store(clock);
    for (std::size_t i = 2; i < lines.size(); ++i) {
        CheckDate(lines[i]);
        const std::string text(lines[i]);
        try {
            if (text.rfind("2:", 0) == 0)
                store.AddServerCookie2(text.substr(2), host);
            else
                store.AddServerCookie(text, host);
        } catch (const net::ECookieConvertError&) {
        }
        clock.now += 7;
    }
    const std::string line = store.GenerateCookieList(host, path);
    // Every cookie in the line was stored, so the line cannot outgrow the input.
    if (line.size() > size + 3 * lines.size()) __builtin_trap();
    clock.now = net::kLastHttpTime;
    store.GenerateCookieList(host, path, net::ccSecure);
    return 0;
}
