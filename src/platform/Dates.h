#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace tav::dates {

// Dates typed by the user and dates shown to the user, in one place.

// The date test of the input forms: only digits and exactly two points; day and month with
// one or two digits, the year with two or four; a two-digit year below 31 means 20yy, else
// 19yy; year 1931..2500; day limits per month; 29 February only in years divisible by 4;
// and Qt must accept the date as well.
bool isDate(const QString& text);

// Parses what isDate accepts; nullopt otherwise.
std::optional<QDate> parse(const QString& text);

// A two-digit year as the input forms read it: below 31 is 20yy, else 19yy.
int expandYear(int twoDigits);

// "dd.mm.yyyy" and "dd.mm.yy"
QString longDate(const QDate& d);
QString shortDate(const QDate& d);

// German weekday and month names as the program shows them ("Sa", "Samstag", "Jan", "Januar").
QString weekdayShort(const QDate& d);
QString weekdayName(const QDate& d);
QString monthShort(int month);
QString monthName(int month);

}  // namespace tav::dates
