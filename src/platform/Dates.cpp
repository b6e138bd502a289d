#include "platform/Dates.h"

#include <QStringList>

namespace tav::dates {

int expandYear(int twoDigits) { return twoDigits < 31 ? 2000 + twoDigits : 1900 + twoDigits; }

std::optional<QDate> parse(const QString& input) {
    const QString text = input.trimmed();
    if (text.isEmpty()) return std::nullopt;
    int points = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    }
    if (points != 2) return std::nullopt;
    const QStringList parts = text.split(QLatin1Char('.'));
    const QString& d = parts[0];
    const QString& m = parts[1];
    const QString& y = parts[2];
    if (d.isEmpty() || d.size() > 2 || m.isEmpty() || m.size() > 2) return std::nullopt;
    if (y.size() != 2 && y.size() != 4) return std::nullopt;
    const int day = d.toInt();
    const int month = m.toInt();
    int year = y.toInt();
    if (y.size() == 2) year = expandYear(year);
    if (year < 1931 || year > 2500) return std::nullopt;
    if (month < 1 || month > 12) return std::nullopt;
    if (day < 1 || day > 31) return std::nullopt;
    if ((month == 4 || month == 6 || month == 9 || month == 11) && day > 30) return std::nullopt;
    if (month == 2) {
        if (day > 29) return std::nullopt;
        if (day == 29 && year % 4 != 0) return std::nullopt;
    }
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;  // the platform's own test (1900-style years, 2100, ...)
    return date;
}

bool isDate(const QString& text) { return parse(text).has_value(); }

QString longDate(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString(); }
QString shortDate(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd.MM.yy")) : QString(); }

QString weekdayShort(const QDate& d) {
    static const char* const names[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return d.isValid() ? QString::fromLatin1(names[d.dayOfWeek() - 1]) : QString();
}

QString weekdayName(const QDate& d) {
    static const char* const names[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    return d.isValid() ? QString::fromLatin1(names[d.dayOfWeek() - 1]) : QString();
}

QString monthShort(int month) {
    static const char* const names[] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    return (month >= 1 && month <= 12) ? QString::fromLatin1(names[month - 1]) : QString();
}

QString monthName(int month) {
    static const QStringList names = {QStringLiteral("Januar"),  QStringLiteral("Februar"),  QStringLiteral("März"),
                                      QStringLiteral("April"),   QStringLiteral("Mai"),      QStringLiteral("Juni"),
                                      QStringLiteral("Juli"),    QStringLiteral("August"),   QStringLiteral("September"),
                                      QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    return (month >= 1 && month <= 12) ? names[month - 1] : QString();
}

}  // namespace tav::dates
