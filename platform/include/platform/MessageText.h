#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The one way a user-visible message gets its arguments: message texts are
// defined once with "%s" where an argument goes, and filled here.
namespace platform {

// format with its first "%s" replaced by the first of args, the next "%s" by
// the next, and so on; an argument's own "%s" is never replaced, a "%s" with
// no argument left stays as it is, and surplus arguments are ignored.
std::string FillMessage(std::string_view format, std::initializer_list<std::string_view> args);

}  // namespace platform
