#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace tav::jetdate {

// Date values as Jet SQL reads, compares and computes them.

// The inside of a #…# literal: m/d/yyyy, mm-dd-yyyy, yyyy-mm-dd, each with an optional time
// (h:mm[:ss] with optional AM/PM), or a time alone.
std::optional<QDateTime> parseLiteral(QStringView inner);

// CDate / CVDate / DateValue on text: ISO, German "13.01.2002", "13.1.02", with optional time,
// the literal forms above, or a serial number.
std::optional<QDateTime> fromText(QStringView text);

// Any value: dates, ISO or German text, serial numbers (days since 30.12.1899).
std::optional<QDateTime> fromVariant(const QVariant& value);

double toSerial(const QDateTime& dt);
// The date of a serial number; nothing for a number outside Jet's range of dates.
std::optional<QDateTime> fromSerial(double serial);

// Jet's dates run from 1 January 100 to 31 December 9999.
inline const QDate kFirstDate{100, 1, 1};
inline const QDate kLastDate{9999, 12, 31};
bool inRange(const QDateTime& dt);

// DateDiff / DateAdd with the intervals yyyy, q, m, y, d, w, ww, h, n, s.
// firstDayOfWeek: 1 = Sunday (Jet's default) … 7 = Saturday. nullopt for an unknown interval.
std::optional<qint64> dateDiff(const QString& interval, const QDateTime& a, const QDateTime& b, int firstDayOfWeek = 1);
// DateAdd gives an invalid QDateTime when the result lies outside Jet's range of dates.
std::optional<QDateTime> dateAdd(const QString& interval, double number, const QDateTime& d);
// DatePart with the same intervals plus "w" (weekday 1..7 from firstDayOfWeek).
std::optional<int> datePart(const QString& interval, const QDateTime& d, int firstDayOfWeek = 1);

// Weekday as Jet counts it: 1 = Sunday … 7 = Saturday.
int weekday(const QDate& d);
// Week of the year as Format(d, "ww") gives it: weeks start on Sunday, week 1 holds 1 January.
int weekOfYear(const QDate& d);

}  // namespace tav::jetdate
