#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// HTTP dates as they appear in "Expires" values and cookie attributes.
//
// Instants are whole seconds since 1970-01-01 00:00:00 UTC. Local time plays no
// part: every date on the wire names its zone, and comparisons are made in UTC.
//
// Accepted forms (names of days and months in any letter case, runs of blanks
// count as one blank, leading and trailing blanks ignored):
//   "Sun, 06 Nov 1994 08:49:37 GMT"      the common form; the day may have one
//                                        digit, the weekday may be missing, the
//                                        parts of the date may be joined by "-"
//   "Sun, 06 Nov 1994 08:49:37 +0100"    a zone offset in place of, or directly
//   "Sun, 06 Nov 1994 08:49:37 GMT+01:00" after, "GMT" ("UTC", "UT" and "Z" too)
//   "Sunday, 06-Nov-94 08:49:37 GMT"     the older form with a two-digit year:
//                                        70 to 99 are 1970 to 1999, 00 to 69 are
//                                        2000 to 2069
//   "Sun Nov  6 08:49:37 1994"           the C library form, read as GMT
// Years run from 1 to 9999; the day must exist in its month; seconds 60 (a leap
// second) is accepted.
//
// An unreadable date is no date: ParseHttpDate returns std::nullopt, and a
// cookie whose expiry cannot be read is treated as having no expiry, so it is
// kept for the run rather than dropped. Text the program cannot understand
// never throws and never deletes anything.
namespace net {

// The largest instant FormatHttpDate writes (9999-12-31 23:59:59 UTC).
inline constexpr std::int64_t kLastHttpTime = 253402300799;
// The smallest instant FormatHttpDate writes (0001-01-01 00:00:00 UTC).
inline constexpr std::int64_t kFirstHttpTime = -62135596800;
// Longest text ParseHttpDate looks at; longer texts are unreadable.
inline constexpr std::size_t kMaxHttpDateLength = 256;

// Reads text in one of the forms above; the instant, or std::nullopt when unreadable. Never throws.
std::optional<std::int64_t> ParseHttpDate(std::string_view text);

// Writes the instant in the common form, e.g. "Sun, 06 Nov 1994 08:49:37 GMT";
// instants outside years 1 to 9999 are clamped to the nearest end.
std::string FormatHttpDate(std::int64_t instant);

// a + b, held within [kFirstHttpTime, kLastHttpTime] instead of overflowing.
std::int64_t AddSecondsClamped(std::int64_t a, std::int64_t b);

}  // namespace net
