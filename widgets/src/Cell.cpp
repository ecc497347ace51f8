#include "widgets/Cell.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/CodePage.h"
#include "widgets/Cells.h"
#include "widgets/GridError.h"

namespace widgets {

namespace {

// ASCII text of a cell for number parsing; other characters make it unreadable.
bool ToAscii(const std::u16string& text, std::string& out) {
    out.clear();
    for (char16_t c : text) {
        if (c > 0x7F) return false;
        out.push_back(static_cast<char>(c));
    }
    return true;
}

bool EqualsIgnoringCase(const std::u16string& a, const char* b) {
    std::size_t i = 0;
    for (; b[i] != '\0'; ++i) {
        if (i >= a.size()) return false;
        char16_t c = a[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        char d = b[i];
        if (d >= 'A' && d <= 'Z') d = static_cast<char>(d - 'A' + 'a');
        if (c != static_cast<char16_t>(d)) return false;
    }
    return i == a.size();
}

}  // namespace

bool TCell::AsBoolean() const {
    const std::u16string text = AsString();
    if (EqualsIgnoringCase(text, "True")) return true;
    if (EqualsIgnoringCase(text, "False")) return false;
    throw EGridError(NotAValidValueMessage(platform::Utf16ToAnsi(text), "boolean"));
}

long long TCell::AsInteger() const {
    const std::u16string text = AsString();
    std::string ascii;
    if (ToAscii(text, ascii) && !ascii.empty()) {
        errno = 0;
        char* end = nullptr;
        const long long value = std::strtoll(ascii.c_str(), &end, 10);
        if (errno == 0 && end != nullptr && *end == '\0' && !std::isspace(static_cast<unsigned char>(ascii[0])))
            return value;
    }
    throw EGridError(NotAValidValueMessage(platform::Utf16ToAnsi(text), "integer"));
}

double TCell::AsFloat() const {
    const std::u16string text = AsString();
    std::string ascii;
    if (ToAscii(text, ascii) && !ascii.empty()) {
        char* end = nullptr;
        const double value = std::strtod(ascii.c_str(), &end);
        if (end != nullptr && *end == '\0' && std::isfinite(value) &&
            !std::isspace(static_cast<unsigned char>(ascii[0])))
            return value;
    }
    throw EGridError(NotAValidValueMessage(platform::Utf16ToAnsi(text), "floating point"));
}

bool TCell::WriteBoolean(bool value) { return WriteString(value ? u"True" : u"False"); }

bool TCell::WriteInteger(long long value) {
    const std::string text = std::to_string(value);
    return WriteString(std::u16string(text.begin(), text.end()));
}

bool TCell::WriteFloat(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    const std::string text = buffer;
    return WriteString(std::u16string(text.begin(), text.end()));
}

void TCell::SetAsString(const std::u16string& value) {
    if (WriteString(value)) Changed();
}
void TCell::SetAsBoolean(bool value) {
    if (WriteBoolean(value)) Changed();
}
void TCell::SetAsInteger(long long value) {
    if (WriteInteger(value)) Changed();
}
void TCell::SetAsFloat(double value) {
    if (WriteFloat(value)) Changed();
}
void TCell::SetAsDateTime(TDateTime value) {
    if (WriteDateTime(value)) Changed();
}

void TCell::Changed() { m_store.CellChanged(*this); }

}  // namespace widgets
