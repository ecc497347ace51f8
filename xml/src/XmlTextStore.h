#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace xml {

// The characters of a loaded document's names and values, copied into large
// blocks: a document read from a file costs a few block allocations instead of
// one per text. Texts stay in place until the store is cleared or destroyed.
class TXmlTextStore {
public:
    // A copy of text that stays valid until Clear or destruction.
    std::string_view Store(std::string_view text) {
        if (text.empty()) return {};
        char* at = nullptr;
        if (text.size() > kBlockSize / 4) {
            // A large text gets a block of its own; the current block keeps its room.
            m_blocks.emplace_back(new char[text.size()]);
            at = m_blocks.back().get();
        } else {
            if (text.size() > m_left) {
                m_blocks.emplace_back(new char[kBlockSize]);
                m_next = m_blocks.back().get();
                m_left = kBlockSize;
            }
            at = m_next;
            m_next += text.size();
            m_left -= text.size();
        }
        std::memcpy(at, text.data(), text.size());
        return {at, text.size()};
    }
    // Frees every block; every text handed out becomes invalid.
    void Clear() noexcept {
        m_blocks.clear();
        m_next = nullptr;
        m_left = 0;
    }

private:
    static constexpr std::size_t kBlockSize = 256 * 1024;

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_next = nullptr;
    std::size_t m_left = 0;
};

}  // namespace xml
