#pragma once

#include <QDate>
#include <QDateTime>
#include <memory>

namespace tav {

// Today and now for the whole program. Tests fix the time with ClockOverride so that
// every "today − 2 days" and every Now() in SQL gives the same answer on every run.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }

    static const Clock& current();
    static void install(std::shared_ptr<const Clock> clock);  // nullptr restores the system clock
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    explicit FixedClock(QDate day) : at_(day.startOfDay().addSecs(9 * 3600)) {}
    QDateTime now() const override { return at_; }

private:
    QDateTime at_;
};

// Installs a fixed clock for the lifetime of the object.
class ClockOverride {
public:
    explicit ClockOverride(QDateTime at);
    explicit ClockOverride(QDate day);
    ~ClockOverride();
    ClockOverride(const ClockOverride&) = delete;
    ClockOverride& operator=(const ClockOverride&) = delete;
};

}  // namespace tav
