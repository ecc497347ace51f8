#pragma once

#include "xml/XmlNode.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace xml {

// Memory for the nodes of one document, handed out from blocks of many nodes
// and reused when nodes are freed: loading a large file costs a few block
// allocations instead of one per node. The blocks are returned when the
// document is destroyed, so memory stays in proportion to the nodes it held.
// Sanitizer builds use the heap for each node so that misuse is still caught.
class TXmlNodeStore {
public:
    // Room for one node.
    void* Allocate() {
        if (!kPooled) return ::operator new(sizeof(TXmlNode));
        if (m_free != nullptr) {
            TSlot* slot = m_free;
            m_free = slot->next;
            return slot;
        }
        if (m_used == kNodesPerBlock) {
            m_blocks.emplace_back(new TSlot[kNodesPerBlock]);
            m_used = 0;
        }
        return &m_blocks.back()[m_used++];
    }
    // Takes back the room of a destroyed node.
    void Release(void* memory) noexcept {
        if (!kPooled) {
            ::operator delete(memory);
            return;
        }
        TSlot* slot = static_cast<TSlot*>(memory);
        slot->next = m_free;
        m_free = slot;
    }

private:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    static constexpr bool kPooled = false;
#else
    static constexpr bool kPooled = true;
#endif
#else
    static constexpr bool kPooled = true;
#endif
    // Small enough that a block stays below the size the C library maps separately.
    static constexpr std::size_t kNodesPerBlock = 256;

    union TSlot {
        TSlot* next;
        alignas(TXmlNode) unsigned char storage[sizeof(TXmlNode)];
    };

    std::vector<std::unique_ptr<TSlot[]>> m_blocks;
    std::size_t m_used = kNodesPerBlock;
    TSlot* m_free = nullptr;
};

}  // namespace xml
