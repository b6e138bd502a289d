#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace tav::datum {

// Dates typed by the user and dates shown to the user, in one place.

// The date test of the input forms: only digits and exactly two points; day and month with
// one or two digits, the year with two or four; a two-digit year below 31 means 20yy, else
// 19yy; year 1931..2500; day limits per month; 29 February only in years divisible by 4;
// and Qt must accept the date as well.
bool istDatum(const QString& text);

// Parses what istDatum accepts; nullopt otherwise.
std::optional<QDate> parse(const QString& text);

// A two-digit year as the input forms read it: below 31 is 20yy, else 19yy.
int expandYear(int twoDigits);

// "dd.mm.yyyy" and "dd.mm.yy"
QString lang(const QDate& d);
QString kurz(const QDate& d);

// German weekday and month names as the program shows them ("Sa", "Samstag", "Jan", "Januar").
QString wochentagKurz(const QDate& d);
QString wochentag(const QDate& d);
QString monatKurz(int month);
QString monat(int month);

}  // namespace tav::datum
