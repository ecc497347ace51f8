#include "service/VersionOrder.h"

#include <algorithm>
#include <string>

namespace service {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = Lower(c);
    return out;
}

// A version cut into its numeric parts (leading zeros removed) and its suffix.
struct TParsed {
    bool Numeric = false;
    std::vector<std::string_view> Numbers;
    std::string_view Suffix;
    std::string_view Text;  // the whole trimmed version, for the text comparison
};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32) s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.remove_suffix(1);
    return s;
}

std::string_view StripZeros(std::string_view digits) {
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    return digits;
}

TParsed Parse(std::string_view s) {
    TParsed p;
    s = Trim(s);
    if (s.size() > 1 && (s[0] == 'v' || s[0] == 'V') && IsDigit(s[1])) s.remove_prefix(1);
    if (auto plus = s.find('+'); plus != std::string_view::npos) s = Trim(s.substr(0, plus));
    p.Text = s;
    if (s.empty() || !IsDigit(s[0])) return p;
    p.Numeric = true;
    std::size_t i = 0;
    while (true) {
        std::size_t start = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        p.Numbers.push_back(StripZeros(s.substr(start, i - start)));
        if (i + 1 < s.size() && s[i] == '.' && IsDigit(s[i + 1])) {
            ++i;
            continue;
        }
        break;
    }
    std::string_view suffix = s.substr(i);
    while (!suffix.empty() && (suffix.front() == '-' || suffix.front() == '.' || suffix.front() == '_' ||
                               static_cast<unsigned char>(suffix.front()) <= 32))
        suffix.remove_prefix(1);
    std::string lower = LowerText(suffix);
    if (lower == "final" || lower == "release" || lower == "stable" || lower == "ga") suffix = {};
    p.Suffix = suffix;
    return p;
}

int CompareNumbers(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
    int c = LowerText(a).compare(LowerText(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// Next run of digits or of letters in s from i; other characters separate runs.
std::string_view NextRun(std::string_view s, std::size_t& i) {
    while (i < s.size() && !IsDigit(s[i]) && !IsLetter(s[i])) ++i;
    std::size_t start = i;
    if (i < s.size()) {
        bool digits = IsDigit(s[i]);
        while (i < s.size() && (digits ? IsDigit(s[i]) : IsLetter(s[i]))) ++i;
    }
    return s.substr(start, i - start);
}

int CompareSuffixes(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (true) {
        std::string_view ra = NextRun(a, i), rb = NextRun(b, j);
        if (ra.empty() && rb.empty()) return 0;
        if (ra.empty()) return -1;  // "beta" below "beta2"
        if (rb.empty()) return 1;
        bool da = IsDigit(ra[0]), db = IsDigit(rb[0]);
        int c = 0;
        if (da && db)
            c = CompareNumbers(StripZeros(ra), StripZeros(rb));
        else if (da != db)
            c = da ? 1 : -1;  // "rc1" above "rc-beta": a number outranks a word at the same place
        else
            c = CompareText(ra, rb);
        if (c != 0) return c;
    }
}

}  // namespace

int CompareVersions(std::string_view a, std::string_view b) {
    TParsed pa = Parse(a), pb = Parse(b);
    if (!pa.Numeric || !pb.Numeric) return CompareText(pa.Text, pb.Text);
    std::size_t n = std::max(pa.Numbers.size(), pb.Numbers.size());
    for (std::size_t k = 0; k < n; ++k) {
        std::string_view x = k < pa.Numbers.size() ? pa.Numbers[k] : std::string_view("0");
        std::string_view y = k < pb.Numbers.size() ? pb.Numbers[k] : std::string_view("0");
        if (int c = CompareNumbers(x, y); c != 0) return c;
    }
    if (pa.Suffix.empty() && pb.Suffix.empty()) return 0;
    if (pa.Suffix.empty()) return 1;  // the plain number ranks above its pre-releases
    if (pb.Suffix.empty()) return -1;
    return CompareSuffixes(pa.Suffix, pb.Suffix);
}

bool SameVersion(std::string_view a, std::string_view b) { return a == b || CompareVersions(a, b) == 0; }

int SharedLeadingParts(std::string_view a, std::string_view b) {
    TParsed pa = Parse(a), pb = Parse(b);
    if (!pa.Numeric || !pb.Numeric) return 0;
    int shared = 0;
    for (std::size_t k = 0; k < pa.Numbers.size() && k < pb.Numbers.size(); ++k) {
        if (pa.Numbers[k] != pb.Numbers[k]) break;
        ++shared;
    }
    return shared;
}

bool IsNewerVersion(std::string_view candidate, std::string_view local, const std::vector<std::string_view>& known) {
    if (Trim(local).empty() || Trim(candidate).empty()) return false;
    for (auto k : known)
        if (!Trim(k).empty() && SameVersion(k, local)) return false;
    return CompareVersions(candidate, local) > 0;
}

}  // namespace service
