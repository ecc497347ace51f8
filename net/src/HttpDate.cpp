#include "net/HttpDate.h"
#include "net/NetText.h"
#include "platform/CivilDate.h"

#include <array>
#include <cstdio>

namespace net {
namespace {

using platform::CivilDate;
using platform::CivilFromDays;
using platform::DaysFromCivil;

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                     "May",       "June",     "July",     "August",
                                                     "September", "October",  "November", "December"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A name matches when it is the three-letter abbreviation or the full name.
bool MatchesName(std::string_view word, std::string_view fullName) {
    return SameText(word, fullName.substr(0, 3)) || SameText(word, fullName);
}

bool IsLeapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(std::int64_t year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// A cursor over the date text. Every reader either consumes what it recognises
// and returns true, or leaves the position where it was and returns false.
class Scanner {
public:
    explicit Scanner(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_pos]; }

    // Skips blanks; true when at least one was there.
    bool SkipBlanks() {
        const std::size_t start = m_pos;
        while (!AtEnd() && IsBlank(m_text[m_pos])) ++m_pos;
        return m_pos > start;
    }

    bool Char(char c) {
        if (Peek() != c) return false;
        ++m_pos;
        return true;
    }

    // A run of letters.
    bool Word(std::string_view& word) {
        const std::size_t start = m_pos;
        while (!AtEnd() && IsAlpha(m_text[m_pos])) ++m_pos;
        word = m_text.substr(start, m_pos - start);
        return m_pos > start;
    }

    // Between minDigits and maxDigits decimal digits, not followed by another digit.
    bool Number(int minDigits, int maxDigits, int& value, int& digits) {
        const std::size_t start = m_pos;
        value = 0;
        while (!AtEnd() && IsDigit(m_text[m_pos]) && static_cast<int>(m_pos - start) < maxDigits) {
            value = value * 10 + (m_text[m_pos] - '0');
            ++m_pos;
        }
        digits = static_cast<int>(m_pos - start);
        if (digits < minDigits || (!AtEnd() && IsDigit(m_text[m_pos]))) {
            m_pos = start;
            return false;
        }
        return true;
    }

    bool Number(int minDigits, int maxDigits, int& value) {
        int digits = 0;
        return Number(minDigits, maxDigits, value, digits);
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool ReadMonth(Scanner& s, int& month) {
    std::string_view word;
    if (!s.Word(word)) return false;
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (MatchesName(word, kMonthNames[i])) {
            month = static_cast<int>(i) + 1;
            return true;
        }
    }
    return false;
}

// "hh:mm:ss" with a one- or two-digit hour.
bool ReadTime(Scanner& s, int& hour, int& minute, int& second) {
    return s.Number(1, 2, hour) && s.Char(':') && s.Number(2, 2, minute) && s.Char(':') && s.Number(2, 2, second) &&
           hour <= 23 && minute <= 59 && second <= 60;
}

// A year of four digits, or of two digits in the older form.
bool ReadYear(Scanner& s, std::int64_t& year) {
    int value = 0;
    int digits = 0;
    if (!s.Number(2, 4, value, digits) || digits == 3) return false;
    if (digits == 2) value += value >= 70 ? 1900 : 2000;
    if (value < 1) return false;
    year = value;
    return true;
}

// "+hhmm", "-hhmm", "+hh:mm" or "+hh"; offset in seconds east of Greenwich.
bool ReadOffset(Scanner& s, std::int64_t& offset) {
    const char sign = s.Peek();
    if (sign != '+' && sign != '-') return false;
    s.Char(sign);
    int hours = 0;
    int minutes = 0;
    int digits = 0;
    if (!s.Number(2, 4, hours, digits) || digits == 3) return false;
    if (digits == 4) {
        minutes = hours % 100;
        hours /= 100;
    } else if (s.Char(':')) {
        if (!s.Number(2, 2, minutes)) return false;
    }
    if (hours > 23 || minutes > 59) return false;
    offset = (hours * 3600 + minutes * 60) * (sign == '-' ? -1 : 1);
    return true;
}

// The zone after the time: nothing, a zone name, an offset, or a name followed by an offset.
bool ReadZone(Scanner& s, std::int64_t& offset) {
    offset = 0;
    s.SkipBlanks();
    if (s.AtEnd()) return true;
    std::string_view name;
    if (s.Word(name)) {
        if (!SameText(name, "GMT") && !SameText(name, "UTC") && !SameText(name, "UT") && !SameText(name, "Z"))
            return false;
        // An offset may follow the name, joined to it or after blanks.
        s.SkipBlanks();
        if (s.Peek() == '+' || s.Peek() == '-') return ReadOffset(s, offset);
        return true;
    }
    return ReadOffset(s, offset);
}

}  // namespace

std::int64_t AddSecondsClamped(std::int64_t a, std::int64_t b) {
    if (b > 0 && a > kLastHttpTime - b) return kLastHttpTime;
    if (b < 0 && a < kFirstHttpTime - b) return kFirstHttpTime;
    const std::int64_t sum = a + b;
    return sum > kLastHttpTime ? kLastHttpTime : (sum < kFirstHttpTime ? kFirstHttpTime : sum);
}

std::optional<std::int64_t> ParseHttpDate(std::string_view text) {
    if (text.size() > kMaxHttpDateLength) return std::nullopt;
    Scanner s(text);
    s.SkipBlanks();

    // The weekday is optional and, when present, only has to be a day name:
    // servers get it wrong often enough that a mismatch with the date is ignored.
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::int64_t offset = 0;
    std::string_view word;
    Scanner afterWeekday = s;
    if (afterWeekday.Word(word)) {
        bool isDay = false;
        for (const char* name : kDayNames) isDay = isDay || MatchesName(word, name);
        if (isDay) {
            afterWeekday.Char(',');
            afterWeekday.SkipBlanks();
            s = afterWeekday;
        }
    }

    if (IsDigit(s.Peek())) {
        // Day, month, year joined by blanks or by "-", then the time and the zone.
        if (!s.Number(1, 2, day)) return std::nullopt;
        const bool dashed = s.Char('-');
        if (!dashed && !s.SkipBlanks()) return std::nullopt;
        if (!ReadMonth(s, month)) return std::nullopt;
        if (dashed ? !s.Char('-') : !s.SkipBlanks()) return std::nullopt;
        if (!ReadYear(s, year)) return std::nullopt;
        if (!s.SkipBlanks() || !ReadTime(s, hour, minute, second)) return std::nullopt;
        if (!ReadZone(s, offset)) return std::nullopt;
    } else {
        // The C library form: month, day, time, four-digit year, always GMT.
        if (!ReadMonth(s, month) || !s.SkipBlanks()) return std::nullopt;
        if (!s.Number(1, 2, day) || !s.SkipBlanks()) return std::nullopt;
        if (!ReadTime(s, hour, minute, second) || !s.SkipBlanks()) return std::nullopt;
        int value = 0;
        if (!s.Number(4, 4, value) || value < 1) return std::nullopt;
        year = value;
        if (!ReadZone(s, offset)) return std::nullopt;
    }
    s.SkipBlanks();
    if (!s.AtEnd()) return std::nullopt;
    if (day < 1 || day > DaysInMonth(year, month)) return std::nullopt;

    const std::int64_t days = DaysFromCivil(year, month, day);
    return days * 86400 + hour * 3600 + minute * 60 + second - offset;
}

std::string FormatHttpDate(std::int64_t instant) {
    instant = instant > kLastHttpTime ? kLastHttpTime : (instant < kFirstHttpTime ? kFirstHttpTime : instant);
    const std::int64_t days = FloorDiv(instant, 86400);
    const std::int64_t secondsOfDay = instant - days * 86400;
    const CivilDate date = CivilFromDays(days);
    const std::int64_t weekday = ((days % 7) + 11) % 7;  // 1970-01-01 was a Thursday (4)
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3s, %02d %.3s %04d %02d:%02d:%02d GMT", kDayNames[weekday], date.day,
                  kMonthNames[date.month - 1], static_cast<int>(date.year), static_cast<int>(secondsOfDay / 3600),
                  static_cast<int>(secondsOfDay / 60 % 60), static_cast<int>(secondsOfDay % 60));
    return buffer;
}

}  // namespace net
