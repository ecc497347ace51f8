#pragma once

#include <cstdint>

namespace net {

// Where the cookie store reads the current time, so that tests can move it.
class TNetCookieClock {
public:
    virtual ~TNetCookieClock() = default;
    // The current instant in whole seconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t Now() const = 0;
    // The system's wall clock; lives for the whole run.
    static const TNetCookieClock& System();
};

}  // namespace net
