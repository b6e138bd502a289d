#include "platform/Clock.h"

namespace tav {

namespace {
std::shared_ptr<const Clock>& installed() {
    static std::shared_ptr<const Clock> clock = std::make_shared<SystemClock>();
    return clock;
}
}  // namespace

const Clock& Clock::current() { return *installed(); }

void Clock::install(std::shared_ptr<const Clock> clock) { installed() = clock ? std::move(clock) : std::make_shared<SystemClock>(); }

ClockOverride::ClockOverride(QDateTime at) { Clock::install(std::make_shared<FixedClock>(std::move(at))); }
ClockOverride::ClockOverride(QDate day) { Clock::install(std::make_shared<FixedClock>(day)); }
ClockOverride::~ClockOverride() { Clock::install(nullptr); }

}  // namespace tav
