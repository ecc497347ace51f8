#pragma once

#include <string>
#include <string_view>

// Rules for the targets of the links the program follows. The online version
// cells carry targets chosen by the version service, over plain HTTP; a target
// handed to the shell could start a local program or open a file, so only web
// and mail addresses are opened.
namespace app {

// Whether the shell may open target: it starts with "http://", "https://" or
// "mailto:" (letter case ignored) after trimming the characters with codes 0 to 32.
bool IsSafeShellTarget(std::string_view target);

// text with every "|" replaced by a carriage return ("\r"): the lines of a
// plain-text target of the all-sources column.
std::string PipesToLines(std::string_view text);

}  // namespace app
