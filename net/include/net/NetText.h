#pragma once

#include "platform/AsciiText.h"

// Text rules the HTTP client applies to protocol text (header lines, cookie
// items, authentication parameters, dates): the shared locale-free ones.
namespace net {

using platform::SameText;
using platform::Trim;
using platform::TrimLeft;
using platform::TrimRight;
using platform::UpperAscii;

}  // namespace net
