#include "net/NetHeaderList.h"

namespace net {
namespace {

bool IsContinuation(const std::string& line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

}  // namespace

std::string TNetHeaderList::Names(std::size_t i) const {
    const std::string& line = m_lines.at(i);
    return line.substr(0, line.find(':'));
}

std::size_t TNetHeaderList::ContinuationCount(std::size_t i) const {
    std::size_t n = 0;
    while (i + 1 + n < m_lines.size() && IsContinuation(m_lines[i + 1 + n])) ++n;
    return n;
}

std::string TNetHeaderList::ValueAt(std::size_t i) const {
    const std::string& line = m_lines.at(i);
    const std::size_t colon = line.find(':');
    std::string value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
    if (UnfoldLines) {
        const std::size_t more = ContinuationCount(i);
        for (std::size_t k = 1; k <= more; ++k) value += " " + Trim(m_lines[i + k]);
    }
    return Trim(value);
}

std::size_t TNetHeaderList::Find(const std::string& name) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (IsContinuation(m_lines[i])) continue;
        const std::size_t colon = m_lines[i].find(':');
        if (colon != std::string::npos && colon == name.size() && SameText(m_lines[i].substr(0, colon), name)) return i;
    }
    return std::string::npos;
}

std::string TNetHeaderList::Values(const std::string& name) const {
    const std::size_t i = Find(name);
    return i == std::string::npos ? std::string() : ValueAt(i);
}

std::vector<std::string> TNetHeaderList::Extract(const std::string& name) const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (IsContinuation(m_lines[i])) continue;
        const std::size_t colon = m_lines[i].find(':');
        if (colon != std::string::npos && SameText(m_lines[i].substr(0, colon), name)) out.push_back(ValueAt(i));
    }
    return out;
}

std::vector<std::string> TNetHeaderList::Fold(const std::string& line) const {
    std::vector<std::string> out;
    std::string rest = line;
    while (FoldLines && FoldLength > 1 && rest.size() > FoldLength) {
        // Break at the last space, tab or comma that keeps the piece within the
        // fold length; a comma stays with the piece before the break.
        std::size_t cut = std::string::npos;
        for (std::size_t p = FoldLength; p > 1; --p) {
            const char c = rest[p - 1];
            if (c == ' ' || c == '\t' || c == ',') {
                cut = p;
                break;
            }
        }
        if (cut == std::string::npos) break;
        const std::string piece = TrimRight(rest.substr(0, cut));
        const std::string tail = TrimLeft(rest.substr(cut));
        if (piece.empty() || tail.empty()) break;
        out.push_back(piece);
        rest = " " + tail;
    }
    out.push_back(TrimRight(rest));
    return out;
}

void TNetHeaderList::SetValue(const std::string& name, const std::string& value) {
    const std::size_t i = Find(name);
    if (i != std::string::npos) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(i + 1 + ContinuationCount(i)));
    }
    if (value.empty()) return;
    const std::vector<std::string> folded = Fold(name + ": " + value);
    const std::size_t at = i == std::string::npos ? m_lines.size() : i;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), folded.begin(), folded.end());
}

std::string TNetHeaderList::Text() const {
    std::string out;
    for (const std::string& line : m_lines) out += line + "\r\n";
    return out;
}

}  // namespace net
