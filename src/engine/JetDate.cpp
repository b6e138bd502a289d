#include "engine/JetDate.h"

#include <QRegularExpression>
#include <cmath>

#include "engine/JetTypes.h"
#include "platform/Dates.h"

namespace tav::jetdate {

namespace {

const QDate kEpoch(1899, 12, 30);

// Jet dates have no time zone: every value is kept as a wall-clock time in UTC, so that
// adding days or hours never meets a daylight-saving gap.
QDateTime naive(const QDate& d, const QTime& t = QTime(0, 0)) { return QDateTime(d, t, Qt::UTC); }

std::optional<QTime> parseTime(QStringView text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*([AaPp][Mm])?\\s*$"));
    const auto m = re.match(text.toString());
    if (!m.hasMatch()) return std::nullopt;
    int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString ampm = m.captured(4).toUpper();
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12) return std::nullopt;
        if (ampm == QLatin1String("PM") && h != 12) h += 12;
        if (ampm == QLatin1String("AM") && h == 12) h = 0;
    }
    const QTime t(h, mi, s);
    if (!t.isValid()) return std::nullopt;
    return t;
}

int fullYear(const QString& digits) {
    const int y = digits.toInt();
    return digits.size() <= 2 ? dates::expandYear(y) : y;
}

// Splits "date[ time]" and builds the value from year, month, day positions.
std::optional<QDateTime> build(int y, int m, int d, QStringView timePart) {
    const QDate date(y, m, d);
    if (!date.isValid()) return std::nullopt;
    if (timePart.trimmed().isEmpty()) return naive(date);
    const auto t = parseTime(timePart);
    if (!t) return std::nullopt;
    return naive(date, *t);
}

}  // namespace

std::optional<QDateTime> parseLiteral(QStringView inner) {
    const QString s = inner.trimmed().toString();
    if (s.isEmpty()) return std::nullopt;
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})[-/](\\d{1,2})[-/](\\d{1,2})(\\s.*)?$"));
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})[-/](\\d{1,2})[-/](\\d{4}|\\d{2})(\\s.*)?$"));
    if (auto m = iso.match(s); m.hasMatch())
        return build(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.capturedView(4));
    if (auto m = us.match(s); m.hasMatch())
        return build(fullYear(m.captured(3)), m.captured(1).toInt(), m.captured(2).toInt(), m.capturedView(4));
    if (auto t = parseTime(s)) return naive(kEpoch, *t);
    return std::nullopt;
}

std::optional<QDateTime> fromText(QStringView text) {
    const QStringView t = text.trimmed();
    // The longest date text ("31.12.9999 23:59:59 PM" with blanks) is far below 64 characters.
    if (t.isEmpty() || t.size() > 64) return std::nullopt;
    if (auto iso = jettypes::parseIso(t)) return iso;
    // Text is read as the German regional settings read it: day first, whether the parts are
    // separated by points, hyphens or slashes ("13.01.2002", "13.1.02", "13/1/2002").
    static const QRegularExpression german(QStringLiteral("^(\\d{1,2})([./-])(\\d{1,2})\\2(\\d{4}|\\d{2})(\\s.*)?$"));
    if (auto m = german.match(t.toString()); m.hasMatch())
        return build(fullYear(m.captured(4)), m.captured(3).toInt(), m.captured(1).toInt(), m.capturedView(5));
    if (auto lit = parseLiteral(t)) return lit;
    bool ok = false;
    const double serial = t.toString().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok) return fromSerial(serial);  // nothing for a number outside the range of dates
    return std::nullopt;
}

std::optional<QDateTime> fromVariant(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return std::nullopt;
    switch (value.typeId()) {
        case QMetaType::QDate: return naive(value.toDate());
        case QMetaType::QDateTime: return naive(value.toDateTime().date(), value.toDateTime().time());
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Double: return fromSerial(value.toDouble());  // nothing outside the range
        default: return fromText(value.toString());
    }
}

double toSerial(const QDateTime& dt) {
    const double days = double(kEpoch.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the epoch Jet keeps the time as a positive fraction of a negative day number.
    return days >= 0 ? days + fraction : days - fraction;
}

bool inRange(const QDateTime& dt) { return dt.isValid() && dt.date() >= kFirstDate && dt.date() <= kLastDate; }

std::optional<QDateTime> fromSerial(double serial) {
    // -657434 is 1 January 100, 2958465 is 31 December 9999; the fraction is the time of day.
    if (!(serial > -657435.0 && serial < 2958466.0)) return std::nullopt;
    const double whole = std::trunc(serial);
    const double fraction = std::fabs(serial - whole);
    const QDate d = kEpoch.addDays(qint64(whole));
    const int ms = int(std::llround(fraction * 86400000.0));
    return naive(d, QTime(0, 0).addMSecs(qMin(ms, 86399999)));
}

int weekday(const QDate& d) { return d.dayOfWeek() % 7 + 1; }

int weekOfYear(const QDate& d) {
    const QDate jan1(d.year(), 1, 1);
    const int offset = weekday(jan1) - 1;  // days of week 1 before 1 January
    return (d.dayOfYear() - 1 + offset) / 7 + 1;
}

namespace {

QString normalised(const QString& interval) { return interval.trimmed().toLower(); }

qint64 monthsOf(const QDate& d) { return qint64(d.year()) * 12 + d.month() - 1; }

// Start of the week that holds d, for a first weekday 1 (Sunday) … 7 (Saturday).
QDate weekStart(const QDate& d, int firstDayOfWeek) {
    const int back = (weekday(d) - firstDayOfWeek + 7) % 7;
    return d.addDays(-back);
}

qint64 secondsOf(const QDateTime& dt) { return kEpoch.daysTo(dt.date()) * 86400 + dt.time().msecsSinceStartOfDay() / 1000; }

qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::optional<qint64> dateDiff(const QString& intervalIn, const QDateTime& a, const QDateTime& b, int firstDayOfWeek) {
    const QString interval = normalised(intervalIn);
    if (interval == QLatin1String("yyyy")) return b.date().year() - a.date().year();
    if (interval == QLatin1String("q"))
        return (qint64(b.date().year()) * 4 + (b.date().month() - 1) / 3) - (qint64(a.date().year()) * 4 + (a.date().month() - 1) / 3);
    if (interval == QLatin1String("m")) return monthsOf(b.date()) - monthsOf(a.date());
    if (interval == QLatin1String("d") || interval == QLatin1String("y")) return a.date().daysTo(b.date());
    if (interval == QLatin1String("w")) return a.date().daysTo(b.date()) / 7;  // whole weeks, toward zero
    if (interval == QLatin1String("ww")) return weekStart(a.date(), firstDayOfWeek).daysTo(weekStart(b.date(), firstDayOfWeek)) / 7;
    const qint64 sa = secondsOf(a), sb = secondsOf(b);
    if (interval == QLatin1String("h")) return floorDiv(sb, 3600) - floorDiv(sa, 3600);
    if (interval == QLatin1String("n")) return floorDiv(sb, 60) - floorDiv(sa, 60);
    if (interval == QLatin1String("s")) return sb - sa;
    return std::nullopt;
}

std::optional<QDateTime> dateAdd(const QString& intervalIn, double number, const QDateTime& d) {
    const QString interval = normalised(intervalIn);
    static const QStringList known = {QStringLiteral("yyyy"), QStringLiteral("q"), QStringLiteral("m"),  QStringLiteral("d"),
                                      QStringLiteral("y"),    QStringLiteral("w"), QStringLiteral("ww"), QStringLiteral("h"),
                                      QStringLiteral("n"),    QStringLiteral("s")};
    if (!known.contains(interval)) return std::nullopt;
    // Jet's whole range of dates is less than 10,000 years: 3.2e11 seconds. A larger number of
    // intervals always leaves it (and would not fit the arithmetic below).
    if (!(std::fabs(number) < 1e12) || !d.isValid()) return QDateTime();
    // A number of intervals that is not whole is rounded first (halves to even).
    const qint64 n = qint64(std::nearbyint(number));
    const auto within = [&](qint64 limit) { return n >= -limit && n <= limit; };
    QDateTime r;
    if (interval == QLatin1String("yyyy"))
        r = within(10000) ? naive(d.date().addYears(int(n)), d.time()) : QDateTime();
    else if (interval == QLatin1String("q"))
        r = within(40000) ? naive(d.date().addMonths(int(n * 3)), d.time()) : QDateTime();
    else if (interval == QLatin1String("m"))
        r = within(120000) ? naive(d.date().addMonths(int(n)), d.time()) : QDateTime();
    else if (interval == QLatin1String("ww"))
        r = within(600000) ? naive(d.date().addDays(n * 7), d.time()) : QDateTime();
    else if (interval == QLatin1String("h"))
        r = within(100000000) ? d.addSecs(n * 3600) : QDateTime();
    else if (interval == QLatin1String("n"))
        r = within(10000000000LL) ? d.addSecs(n * 60) : QDateTime();
    else if (interval == QLatin1String("s"))
        r = d.addSecs(n);
    else
        r = within(4000000) ? naive(d.date().addDays(n), d.time()) : QDateTime();  // d, y, w
    return inRange(r) ? r : QDateTime();
}

std::optional<int> datePart(const QString& intervalIn, const QDateTime& d, int firstDayOfWeek) {
    const QString interval = normalised(intervalIn);
    const QDate date = d.date();
    if (interval == QLatin1String("yyyy")) return date.year();
    if (interval == QLatin1String("q")) return (date.month() - 1) / 3 + 1;
    if (interval == QLatin1String("m")) return date.month();
    if (interval == QLatin1String("y")) return date.dayOfYear();
    if (interval == QLatin1String("d")) return date.day();
    if (interval == QLatin1String("w")) return (weekday(date) - firstDayOfWeek + 7) % 7 + 1;
    if (interval == QLatin1String("ww")) return weekOfYear(date);
    if (interval == QLatin1String("h")) return d.time().hour();
    if (interval == QLatin1String("n")) return d.time().minute();
    if (interval == QLatin1String("s")) return d.time().second();
    return std::nullopt;
}

}  // namespace tav::jetdate
