#pragma once

#include <cstdint>
#include <string_view>

namespace service {

// The check code of a version report: base plus, for every byte of text, its unsigned value
// times its 1-based position, summed in 32 bits with wrap-around (as the program computes it).
inline std::int32_t ComputeCheckCode(std::string_view text, std::int32_t base) {
    std::uint32_t sum = static_cast<std::uint32_t>(base);
    std::uint32_t position = 0;
    for (char c : text) sum += static_cast<std::uint32_t>(static_cast<unsigned char>(c)) * ++position;
    return static_cast<std::int32_t>(sum);
}

}  // namespace service
