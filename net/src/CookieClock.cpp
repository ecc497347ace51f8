#include "net/CookieClock.h"

#include <chrono>

namespace net {
namespace {

class TSystemCookieClock final : public TNetCookieClock {
public:
    std::int64_t Now() const override {
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace

const TNetCookieClock& TNetCookieClock::System() {
    static const TSystemCookieClock clock;
    return clock;
}

}  // namespace net
