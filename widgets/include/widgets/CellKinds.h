#pragma once

#include <memory>
#include <string>

#include "widgets/Cell.h"
#include "widgets/GridTypes.h"

// The cell classes the store creates, one per column kind.
namespace widgets {

// A wide string.
class TStringCell : public TCell {
public:
    using TCell::TCell;
    std::u16string AsString() const override { return m_value; }

protected:
    bool WriteString(const std::u16string& value) override;

private:
    std::u16string m_value;
};

// No value: reads the store's most recently accessed row plus one; writes are ignored.
class TIncrementCell : public TCell {
public:
    using TCell::TCell;
    std::u16string AsString() const override;
    long long AsInteger() const override;

protected:
    bool WriteString(const std::u16string&) override { return false; }
    bool WriteBoolean(bool) override { return false; }
    bool WriteInteger(long long) override { return false; }
    bool WriteFloat(double) override { return false; }
};

// A boolean, false at first; its text is "True" or "False".
class TBooleanCell : public TCell {
public:
    using TCell::TCell;
    std::u16string AsString() const override;
    bool AsBoolean() const override { return m_value; }
    long long AsInteger() const override { return m_value ? 1 : 0; }

protected:
    bool WriteString(const std::u16string& value) override;
    bool WriteBoolean(bool value) override;
    bool WriteInteger(long long value) override;

private:
    bool m_value = false;
};

// An integer, 0 at first.
class TIntegerCell : public TCell {
public:
    using TCell::TCell;
    std::u16string AsString() const override;
    long long AsInteger() const override { return m_value; }
    double AsFloat() const override { return static_cast<double>(m_value); }

protected:
    bool WriteString(const std::u16string& value) override;
    bool WriteInteger(long long value) override;
    bool WriteFloat(double value) override;

private:
    long long m_value = 0;
};

// A floating-point number, 0 at first.
class TFloatCell : public TCell {
public:
    using TCell::TCell;
    std::u16string AsString() const override;
    double AsFloat() const override { return m_value; }

protected:
    bool WriteString(const std::u16string& value) override;
    bool WriteInteger(long long value) override;
    bool WriteFloat(double value) override;

private:
    double m_value = 0;
};

// A date-time, 0 (30 December 1899) at first; its text is the number of days.
class TDateTimeCell : public TFloatCell {
public:
    using TFloatCell::TFloatCell;
};

// A GUID kept as its text.
class TGuidCell : public TStringCell {
public:
    using TStringCell::TStringCell;
};

// A cell whose value lives outside the grid: reads empty, writes are ignored.
class TVirtualCell : public TCell {
public:
    using TCell::TCell;
    std::u16string AsString() const override { return {}; }

protected:
    bool WriteString(const std::u16string&) override { return false; }
    bool WriteBoolean(bool) override { return false; }
    bool WriteInteger(long long) override { return false; }
    bool WriteFloat(double) override { return false; }
};

// A new cell of the class kind decides, holding that class's empty value.
std::unique_ptr<TCell> CreateCell(TCellKind kind, TCells& store);

}  // namespace widgets
