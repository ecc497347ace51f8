#pragma once

#include <string>

namespace widgets {

class TCells;

// A point in time as days since 30 December 1899 (the fraction is the time of day).
using TDateTime = double;

// One cell of the grid: a value readable and writable as text and, converting,
// as boolean, integer, floating-point number and date-time. Every write
// notifies the store (which has the grid repaint the cell). Conversions that
// fail throw EGridError.
class TCell {
public:
    explicit TCell(TCells& store) : m_store(store) {}
    virtual ~TCell() = default;
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

    // The value as text.
    virtual std::u16string AsString() const = 0;
    // The value as boolean ("True"/"False" for text); throws EGridError when it does not convert.
    virtual bool AsBoolean() const;
    // The value as integer; throws EGridError when it does not convert.
    virtual long long AsInteger() const;
    // The value as floating-point number; throws EGridError when it does not convert.
    virtual double AsFloat() const;
    // The value as date-time; throws EGridError when it does not convert.
    virtual TDateTime AsDateTime() const { return AsFloat(); }

    // Writes the value (converted to the cell's type) and notifies the store.
    void SetAsString(const std::u16string& value);
    void SetAsBoolean(bool value);
    void SetAsInteger(long long value);
    void SetAsFloat(double value);
    void SetAsDateTime(TDateTime value);

protected:
    // Stores a value; returns whether the cell keeps values (false: write ignored).
    virtual bool WriteString(const std::u16string& value) = 0;
    virtual bool WriteBoolean(bool value);
    virtual bool WriteInteger(long long value);
    virtual bool WriteFloat(double value);
    virtual bool WriteDateTime(TDateTime value) { return WriteFloat(value); }
    TCells& Store() const { return m_store; }

private:
    void Changed();
    TCells& m_store;
};

}  // namespace widgets
