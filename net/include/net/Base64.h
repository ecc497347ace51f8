#pragma once

#include <string>
#include <string_view>

namespace net {

// Encodes bytes in base64 with the standard alphabet (A-Z a-z 0-9 + /) and "="
// padding, the whole input in one run without line breaks. Never throws but std::bad_alloc.
std::string EncodeBase64(std::string_view bytes);

}  // namespace net
