#include "platform/MessageText.h"

namespace platform {

std::string FillMessage(std::string_view format, std::initializer_list<std::string_view> args) {
    std::string text(format);
    std::size_t from = 0;
    for (const std::string_view arg : args) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, arg);
        // The search goes on after the inserted text, so it is never read as a format.
        from = at + arg.size();
    }
    return text;
}

}  // namespace platform
