#include "xml/XmlMessages.h"

namespace xml {
namespace {

// Replaces the first "%s" at or after from; returns where the next search starts.
std::size_t ReplaceNext(std::string& text, std::size_t from, std::string_view value) {
    const std::size_t at = text.find("%s", from);
    if (at == std::string::npos) return text.size();
    text.replace(at, 2, value);
    return at + value.size();
}

}  // namespace

std::string FormatMessage(std::string_view format, std::string_view first) {
    std::string text(format);
    ReplaceNext(text, 0, first);
    return text;
}

std::string FormatMessage(std::string_view format, std::string_view first, std::string_view second) {
    std::string text(format);
    ReplaceNext(text, ReplaceNext(text, 0, first), second);
    return text;
}

}  // namespace xml
