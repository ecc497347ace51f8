#include "service/ServiceSettings.h"

#include <charconv>
#include <fstream>

namespace service {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

template <typename T>
bool ParseInt(std::string_view text, T& value, T low, T high) {
    T v{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
    value = v;
    return true;
}

}  // namespace

void ParseListenAddress(std::string_view text, std::string& host, int& port) {
    std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0)
        throw EServiceSettings("listen address must be ADDR:PORT, not '" + std::string(text) + "'");
    std::string_view h = text.substr(0, colon);
    if (h.size() >= 2 && h.front() == '[' && h.back() == ']') h = h.substr(1, h.size() - 2);
    int p = 0;
    if (h.empty() || !ParseInt(text.substr(colon + 1), p, 0, 65535))
        throw EServiceSettings("listen address must be ADDR:PORT with a port from 0 to 65535, not '" +
                               std::string(text) + "'");
    host = std::string(h);
    port = p;
}

void LoadSettingsFile(const std::string& path, TServiceSettings& settings) {
    std::ifstream in(path);
    if (!in) throw EServiceSettings("cannot read the configuration file " + path);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string_view l = Trim(line);
        if (l.empty() || l[0] == '#' || l[0] == ';') continue;
        auto where = [&] { return path + ":" + std::to_string(number) + ": "; };
        std::size_t eq = l.find('=');
        if (eq == std::string_view::npos) throw EServiceSettings(where() + "expected key = value");
        std::string_view key = Trim(l.substr(0, eq)), value = Trim(l.substr(eq + 1));
        auto bad = [&] { return EServiceSettings(where() + "bad value for " + std::string(key)); };
        if (key == "listen") {
            ParseListenAddress(value, settings.ListenHost, settings.ListenPort);
        } else if (key == "db") {
            if (value.empty()) throw bad();
            settings.Database = std::string(value);
        } else if (key == "threads") {
            if (!ParseInt(value, settings.Threads, 1, 1024)) throw bad();
        } else if (key == "rate_limit") {
            if (!ParseInt<std::int64_t>(value, settings.RateLimit, 0, 1'000'000'000)) throw bad();
        } else if (key == "report_threshold") {
            if (!ParseInt<std::int64_t>(value, settings.ReportThreshold, 1, 1'000'000)) throw bad();
        } else if (key == "maintenance") {
            if (value == "on" || value == "yes" || value == "true" || value == "1")
                settings.Maintenance = true;
            else if (value == "off" || value == "no" || value == "false" || value == "0")
                settings.Maintenance = false;
            else
                throw bad();
        } else if (key == "maintenance_notice") {
            settings.MaintenanceNotice = std::string(value);
        } else if (key == "rate_limit_notice") {
            settings.RateLimitNotice = std::string(value);
        } else {
            throw EServiceSettings(where() + "unknown key " + std::string(key));
        }
    }
}

}  // namespace service
