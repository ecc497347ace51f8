#include "service/ServiceRequest.h"

#include "service/Messages.h"

#include <algorithm>
#include <array>

namespace service {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Percent-decodes s into out; false on a "%" without two hex digits after it.
bool PercentDecode(std::string_view s, std::string& out) {
    out.clear();
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return false;
        int hi = HexValue(s[i + 1]), lo = HexValue(s[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

bool HasControl(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b < 0x20 || b == 0x7F;
    });
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The keys each path knows; a segment starting with one of them and "=" opens a parameter.
bool IsKnownKey(std::string_view path, std::string_view key) {
    static constexpr std::array<std::string_view, 3> kQueryKeys = {"title", "ver", "publisher"};
    static constexpr std::array<std::string_view, 5> kReportKeys = {"type", "title", "ver", "verold", "vcode"};
    if (path == "/ver/get.php") return std::find(kQueryKeys.begin(), kQueryKeys.end(), key) != kQueryKeys.end();
    if (path == "/ver/put.php") return std::find(kReportKeys.begin(), kReportKeys.end(), key) != kReportKeys.end();
    return true;  // other paths take their query string as it is
}

bool Fail(TRequestError& error, int status, std::string_view message) {
    error.Status = status;
    error.Message = message;
    return false;
}

}  // namespace

const std::string* TServiceRequest::Find(std::string_view key) const {
    for (const auto& [k, v] : Params)
        if (k == key) return &v;
    return nullptr;
}

bool ParseServiceTarget(std::string_view target, TServiceRequest& request, TRequestError& error) {
    request = {};
    if (target.size() > limits::kMaxTargetBytes) return Fail(error, 414, messages::kTooLong);
    // Absolute form, as a client sends it to a proxy: drop scheme and authority.
    for (std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithNoCase(target, scheme)) {
            std::size_t slash = target.find_first_of("/?", scheme.size());
            target = slash == std::string_view::npos ? std::string_view("/") : target.substr(slash);
            if (!target.empty() && target[0] == '?') return Fail(error, 400, messages::kBadTarget);
            break;
        }
    }
    if (target.empty() || target[0] != '/') return Fail(error, 400, messages::kBadTarget);
    if (auto hash = target.find('#'); hash != std::string_view::npos) target = target.substr(0, hash);
    std::size_t question = target.find('?');
    std::string_view rawPath = target.substr(0, question);
    std::string_view query = question == std::string_view::npos ? std::string_view() : target.substr(question + 1);
    if (!PercentDecode(rawPath, request.Path)) return Fail(error, 400, messages::kBadEncoding);
    if (HasControl(request.Path)) return Fail(error, 400, messages::kControlCharacter);

    // Raw segments first, so that an encoded "%26" or "%3D" stays inside its value.
    std::vector<std::pair<std::string_view, std::string>> raw;  // key, raw value
    std::size_t start = 0;
    while (!query.empty() && start <= query.size()) {
        std::size_t amp = query.find('&', start);
        if (amp == std::string_view::npos) amp = query.size();
        std::string_view segment = query.substr(start, amp - start);
        start = amp + 1;
        std::size_t eq = segment.find('=');
        std::string_view key = segment.substr(0, eq);
        if ((eq != std::string_view::npos && IsKnownKey(request.Path, key)) || raw.empty()) {
            raw.emplace_back(key, eq == std::string_view::npos ? std::string() : std::string(segment.substr(eq + 1)));
        } else {
            raw.back().second += '&';
            raw.back().second += segment;
        }
        if (raw.size() > limits::kMaxParameters) return Fail(error, 400, messages::kTooManyParameters);
        if (amp == query.size()) break;
    }
    for (const auto& [rawKey, rawValue] : raw) {
        std::string key, value;
        if (!PercentDecode(rawKey, key) || !PercentDecode(rawValue, value))
            return Fail(error, 400, messages::kBadEncoding);
        if (HasControl(key) || HasControl(value)) return Fail(error, 400, messages::kControlCharacter);
        std::size_t cap = key == "title" ? limits::kMaxTitleBytes : limits::kMaxValueBytes;
        if (key.size() > limits::kMaxValueBytes || value.size() > cap) return Fail(error, 400, messages::kTooLong);
        request.Params.emplace_back(std::move(key), std::move(value));
    }
    return true;
}

}  // namespace service
