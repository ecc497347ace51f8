#pragma once

#include "net/NetText.h"

#include "net/Limits.h"

#include <cstddef>
#include <string>
#include <vector>

namespace net {

// An ordered list of raw header lines "Name: value". Names compare ignoring
// ASCII case. Lines starting with a space or tab continue the line above.
class TNetHeaderList {
public:
    // A list folding its lines at foldLength characters.
    explicit TNetHeaderList(std::size_t foldLength = limits::kDefaultFoldLength) : FoldLength(foldLength) {}

    // Join continuation lines when reading values.
    bool UnfoldLines = true;
    // Wrap long lines into continuation lines when setting values.
    bool FoldLines = true;
    // Longest line before folding.
    std::size_t FoldLength;

    // Number of raw lines (continuation lines count).
    std::size_t Count() const { return m_lines.size(); }
    // Raw line i.
    const std::string& Line(std::size_t i) const { return m_lines.at(i); }
    // Appends a raw line unchanged.
    void Add(const std::string& line) { m_lines.push_back(line); }
    // Removes every line.
    void Clear() { m_lines.clear(); }
    // Whether the list has no lines.
    bool Empty() const { return m_lines.empty(); }

    // The text before the first ":" of line i.
    std::string Names(std::size_t i) const;
    // The value of line i with its continuation lines, trimmed.
    std::string ValueAt(std::size_t i) const;
    // The value of the first line named name; "" when absent.
    std::string Values(const std::string& name) const;
    // Sets name's value in place (appends when absent); an empty value removes the line.
    void SetValue(const std::string& name, const std::string& value);
    // The values of every line named name, in order.
    std::vector<std::string> Extract(const std::string& name) const;
    // Every line followed by CR LF.
    std::string Text() const;

private:
    // Index of the first line named name, or npos.
    std::size_t Find(const std::string& name) const;
    // Number of continuation lines following line i.
    std::size_t ContinuationCount(std::size_t i) const;
    // "name: value" wrapped into lines of at most FoldLength where possible.
    std::vector<std::string> Fold(const std::string& line) const;

    std::vector<std::string> m_lines;
};

}  // namespace net
