#pragma once

#include "service/StorageRecords.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace service {

// Finds the catalogue product for a title as the program sends it (UTF-8 here). Three
// steps, the first that finds anything wins:
// 1. exact: the title equals, byte for byte, a product's DisplayName or name, or a
//    DisplayName with its bracketed groups removed (the program drops them from titles);
// 2. loose: NormaliseTitle of the title equals that of a DisplayName or name;
// 3. base: the same, with trailing version numbers and edition words also removed; a
//    product whose identifier names a release line ("Python.Python.3.11", "Oracle.JDK.25")
//    is only found when the local version (or else the title's last version number)
//    belongs to that line.
// Several candidates for one key are ranked by: the publisher (when given) starting with
// the same word as the product's, then the most leading version parts shared between the
// local version (when given) and the product's versions, then a key taken from a DisplayName
// over one taken from the name, then catalogue order. Immutable after construction, so
// any number of threads may match at once.
class TTitleMatcher {
public:
    // Indexes products (kept in the given order).
    explicit TTitleMatcher(std::vector<TProduct> products);

    // The product for title, or nullptr.
    const TProduct* Match(std::string_view title, std::string_view localVersion = {},
                          std::string_view publisher = {}) const;
    // The indexed products.
    const std::vector<TProduct>& Products() const { return m_products; }

    // The loose key of a name: ASCII letters lower-cased; "®", "™" and "©" removed; bracketed
    // groups ("(x64)", "[beta]") removed; commas, colons and dashes at word edges removed;
    // architecture words (x64, x86, amd64, arm64, win64, 64-bit, 32-bit, "64 bit", ...)
    // removed; one blank between words. With baseKey, trailing words that are version
    // numbers ("6.5.6", "v2", "2026.40") or edition words ("edition", "update", "portable",
    // "pro", "msi", ...) are removed as well, but never the first word.
    static std::string NormaliseTitle(std::string_view name, bool baseKey);

private:
    struct TCandidate {
        std::uint32_t Index;
        bool FromDisplayName;
    };
    using TIndex = std::unordered_map<std::string, std::vector<TCandidate>>;
    static void Add(TIndex& index, const std::string& key, std::uint32_t product, bool fromDisplayName);
    const TProduct* Best(const std::vector<TCandidate>& candidates, std::string_view localVersion,
                         std::string_view publisher) const;

    std::vector<TProduct> m_products;
    TIndex m_exact, m_loose, m_base;
    std::vector<std::string> m_lines;  // release line of each product, "" when none
};

}  // namespace service
