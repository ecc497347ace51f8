#include "widgets/CellKinds.h"

#include <cstdio>
#include <string>

#include "widgets/Cells.h"

namespace widgets {

namespace {

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// The cell's text read through the base class's conversion rules.
class TTextReader : public TStringCell {
public:
    TTextReader(TCells& store, const std::u16string& text) : TStringCell(store) { WriteString(text); }
};

}  // namespace

bool TStringCell::WriteString(const std::u16string& value) {
    m_value = value;
    return true;
}

std::u16string TIncrementCell::AsString() const { return Widen(std::to_string(AsInteger())); }

long long TIncrementCell::AsInteger() const { return static_cast<long long>(Store().LastRow()) + 1; }

std::u16string TBooleanCell::AsString() const { return m_value ? u"True" : u"False"; }

bool TBooleanCell::WriteString(const std::u16string& value) {
    m_value = TTextReader(Store(), value).AsBoolean();
    return true;
}

bool TBooleanCell::WriteBoolean(bool value) {
    m_value = value;
    return true;
}

bool TBooleanCell::WriteInteger(long long value) {
    m_value = value != 0;
    return true;
}

std::u16string TIntegerCell::AsString() const { return Widen(std::to_string(m_value)); }

bool TIntegerCell::WriteString(const std::u16string& value) {
    m_value = TTextReader(Store(), value).AsInteger();
    return true;
}

bool TIntegerCell::WriteInteger(long long value) {
    m_value = value;
    return true;
}

bool TIntegerCell::WriteFloat(double value) {
    // Rounded to the nearest integer, as a whole-number cell keeps it.
    m_value = static_cast<long long>(value < 0 ? value - 0.5 : value + 0.5);
    return true;
}

std::u16string TFloatCell::AsString() const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", m_value);
    return Widen(buffer);
}

bool TFloatCell::WriteString(const std::u16string& value) {
    m_value = TTextReader(Store(), value).AsFloat();
    return true;
}

bool TFloatCell::WriteInteger(long long value) {
    m_value = static_cast<double>(value);
    return true;
}

bool TFloatCell::WriteFloat(double value) {
    m_value = value;
    return true;
}

std::unique_ptr<TCell> CreateCell(TCellKind kind, TCells& store) {
    switch (kind) {
        case TCellKind::ckIncrement:
            return std::make_unique<TIncrementCell>(store);
        case TCellKind::ckBoolean:
            return std::make_unique<TBooleanCell>(store);
        case TCellKind::ckInteger:
            return std::make_unique<TIntegerCell>(store);
        case TCellKind::ckFloat:
            return std::make_unique<TFloatCell>(store);
        case TCellKind::ckDateTime:
            return std::make_unique<TDateTimeCell>(store);
        case TCellKind::ckGuid:
            return std::make_unique<TGuidCell>(store);
        case TCellKind::ckVirtual:
            return std::make_unique<TVirtualCell>(store);
        case TCellKind::ckString:
            break;
    }
    return std::make_unique<TStringCell>(store);
}

}  // namespace widgets
