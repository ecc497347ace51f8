#include "service/TitleMatcher.h"

#include "service/VersionOrder.h"

#include <algorithm>
#include <tuple>

namespace service {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void ReplaceAll(std::string& s, std::string_view what, std::string_view with) {
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
}

// Removes "(...)", "[...]" and "{...}" groups, nested or not; an unclosed group runs to the end.
std::string RemoveBracketGroups(std::string_view s) {
    std::string out;
    int depth = 0;
    for (char c : s) {
        if (c == '(' || c == '[' || c == '{') {
            ++depth;
            out += ' ';
        } else if ((c == ')' || c == ']' || c == '}') && depth > 0) {
            --depth;
        } else if (depth == 0) {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32) ++i;
        std::size_t start = i;
        while (i < s.size() && static_cast<unsigned char>(s[i]) > 32) ++i;
        if (i > start) words.emplace_back(s.substr(start, i - start));
    }
    return words;
}

bool OneOf(std::string_view word, std::initializer_list<std::string_view> list) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

bool IsArchitectureWord(std::string_view w) {
    return OneOf(w, {"x64", "x86", "x32", "amd64", "arm64", "arm32", "ia64", "win64", "win32", "64-bit", "32-bit",
                     "64bit", "32bit", "x86_64", "x86-64", "x64-based", "x86-based"});
}

bool IsEditionWord(std::string_view w) {
    return OneOf(w, {"edition",   "version",    "ver",      "release",  "update",    "build",        "setup",
                     "installer", "portable",   "free",     "freeware", "community", "professional", "pro",
                     "home",      "enterprise", "standard", "ultimate", "premium",   "lite",         "msi",
                     "mui",       "en-us",      "english",  "alpha",    "beta",      "preview",      "client"});
}

// A word that is a version number: a digit or "v" and a digit first, then only digits,
// letters, dots, dashes and underscores.
bool IsVersionWord(std::string_view w) {
    std::size_t i = 0;
    if (w.size() > 1 && w[0] == 'v' && IsDigit(w[1])) i = 1;
    if (i >= w.size() || !IsDigit(w[i])) return false;
    return std::all_of(w.begin() + static_cast<std::ptrdiff_t>(i), w.end(),
                       [](char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || c == '.' || c == '-' || c == '_'; });
}

std::string Join(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) {
        if (!out.empty()) out += ' ';
        out += w;
    }
    return out;
}

// The program's title form of a DisplayName: bracketed groups out, blanks collapsed.
std::string ProgramForm(std::string_view name) { return Join(Words(RemoveBracketGroups(name))); }

std::string FirstWord(std::string_view s) {
    auto words = Words(LowerAscii(s));
    if (words.empty()) return {};
    std::string w = words[0];
    while (!w.empty() && (w.back() == ',' || w.back() == '.')) w.pop_back();
    return w;
}

// The release line a package identifier names, such as "3.11" in "Python.Python.3.11" or
// "17" in "EclipseAdoptium.Temurin.17.JRE": its last run of all-digit segments.
std::string ReleaseLine(std::string_view id) {
    std::vector<std::string_view> run, last;
    std::size_t start = 0;
    while (start <= id.size()) {
        std::size_t dot = id.find('.', start);
        if (dot == std::string_view::npos) dot = id.size();
        std::string_view segment = id.substr(start, dot - start);
        if (!segment.empty() && std::all_of(segment.begin(), segment.end(), IsDigit)) {
            run.push_back(segment);
            last = run;
        } else {
            run.clear();
        }
        start = dot + 1;
    }
    std::string line;
    for (auto part : last) {
        if (!line.empty()) line += '.';
        line += part;
    }
    return line;
}

// The last version number in a title ("3.8.5" in "Python 3.8.5 (64-bit)"), without a "v".
std::string TitleVersion(std::string_view title) {
    auto words = Words(RemoveBracketGroups(LowerAscii(title)));
    for (auto it = words.rbegin(); it != words.rend(); ++it)
        if (IsVersionWord(*it)) return it->front() == 'v' ? it->substr(1) : *it;
    return {};
}

}  // namespace

std::string TTitleMatcher::NormaliseTitle(std::string_view name, bool baseKey) {
    std::string s = LowerAscii(name);
    for (std::string_view mark : {"\xC2\xAE", "\xE2\x84\xA2", "\xC2\xA9"}) ReplaceAll(s, mark, "");
    std::vector<std::string> words;
    for (auto& w : Words(RemoveBracketGroups(s))) {
        while (!w.empty() && (w.back() == ',' || w.back() == ';' || w.back() == ':' || w.back() == '-')) w.pop_back();
        while (!w.empty() && (w.front() == ',' || w.front() == ';' || w.front() == ':' || w.front() == '-'))
            w.erase(w.begin());
        if (w.empty() || w == "\xE2\x80\x93" || w == "\xE2\x80\x94" || IsArchitectureWord(w)) continue;
        // "64 bit" and "PotPlayer-64 bit": the number belongs to the architecture.
        if (w == "bit" && !words.empty()) {
            std::string& prev = words.back();
            if (prev.size() >= 2 && (prev.ends_with("64") || prev.ends_with("32"))) {
                prev.resize(prev.size() - 2);
                while (!prev.empty() && (prev.back() == '-' || prev.back() == '_')) prev.pop_back();
                if (prev.empty()) words.pop_back();
                continue;
            }
        }
        words.push_back(std::move(w));
    }
    if (baseKey)
        while (words.size() > 1 && (IsVersionWord(words.back()) || IsEditionWord(words.back()))) words.pop_back();
    return Join(words);
}

void TTitleMatcher::Add(TIndex& index, const std::string& key, std::uint32_t product, bool fromDisplayName) {
    if (key.empty()) return;
    auto& list = index[key];
    for (auto& c : list)
        if (c.Index == product) {
            c.FromDisplayName = c.FromDisplayName || fromDisplayName;
            return;
        }
    list.push_back({product, fromDisplayName});
}

TTitleMatcher::TTitleMatcher(std::vector<TProduct> products) : m_products(std::move(products)) {
    for (std::uint32_t i = 0; i < m_products.size(); ++i) {
        const auto& p = m_products[i];
        m_lines.push_back(ReleaseLine(p.PackageId));
        auto addName = [&](const std::string& name, bool fromDisplayName) {
            Add(m_exact, name, i, fromDisplayName);
            Add(m_exact, ProgramForm(name), i, fromDisplayName);
            Add(m_loose, NormaliseTitle(name, false), i, fromDisplayName);
            Add(m_base, NormaliseTitle(name, true), i, fromDisplayName);
        };
        for (const auto& n : p.DisplayNames) addName(n, true);
        addName(p.Name, false);
    }
}

const TProduct* TTitleMatcher::Best(const std::vector<TCandidate>& candidates, std::string_view localVersion,
                                    std::string_view publisher) const {
    std::string wanted = FirstWord(publisher);
    const TCandidate* best = nullptr;
    std::tuple<int, int, int> bestScore{-1, -1, -1};
    for (const auto& c : candidates) {
        const TProduct& p = m_products[c.Index];
        int publisherScore = !wanted.empty() && FirstWord(p.Publisher) == wanted ? 1 : 0;
        int versionScore = 0;
        if (!localVersion.empty()) {
            versionScore = SharedLeadingParts(localVersion, p.Version);
            for (const auto& v : p.DisplayVersions)
                versionScore = std::max(versionScore, SharedLeadingParts(localVersion, v));
        }
        std::tuple<int, int, int> score{publisherScore, versionScore, c.FromDisplayName ? 1 : 0};
        // Candidates are in catalogue order, so only a strictly better score replaces the first.
        if (!best || score > bestScore) {
            best = &c;
            bestScore = score;
        }
    }
    return best ? &m_products[best->Index] : nullptr;
}

const TProduct* TTitleMatcher::Match(std::string_view title, std::string_view localVersion,
                                     std::string_view publisher) const {
    if (auto it = m_exact.find(std::string(title)); it != m_exact.end())
        return Best(it->second, localVersion, publisher);
    if (auto it = m_loose.find(NormaliseTitle(title, false)); it != m_loose.end())
        return Best(it->second, localVersion, publisher);
    auto it = m_base.find(NormaliseTitle(title, true));
    if (it == m_base.end()) return nullptr;
    // Without the version words the key no longer tells release lines apart ("Python 3.8"
    // and the package "Python.Python.3.11"): a product of a line needs a version of that line.
    std::string version = !localVersion.empty() ? std::string(localVersion) : TitleVersion(title);
    std::vector<TCandidate> fitting;
    for (const auto& c : it->second) {
        const std::string& line = m_lines[c.Index];
        if (line.empty() || (!version.empty() && SharedLeadingParts(line, version) ==
                                                     static_cast<int>(std::count(line.begin(), line.end(), '.')) + 1))
            fitting.push_back(c);
    }
    return Best(fitting, localVersion, publisher);
}

}  // namespace service
