#include "engine/SqlFunctions.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QHash>
#include <QVariant>
#include <cmath>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <utility>

#include "engine/JetDate.h"
#include "engine/JetFormat.h"
#include "engine/JetText.h"
#include "engine/JetTypes.h"
#include "platform/Clock.h"
#include "platform/Dates.h"

namespace tav::sqlfunctions {

namespace {

// ---- value conversion between SQLite and QVariant -------------------------------------

QVariant arg(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_value_int64(v)));
        case SQLITE_FLOAT: return QVariant(sqlite3_value_double(v));
        case SQLITE_TEXT: return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v)));
        case SQLITE_BLOB: return QVariant(QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v)));
        default: return QVariant();
    }
}

void resultText(sqlite3_context* ctx, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void error(sqlite3_context* ctx, const QString& message) {
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), int(utf8.size()));
}

const QString kTypeMismatch = QStringLiteral("Datentypen in Kriterienausdruck unverträglich.");
const QString kOverflow = QStringLiteral("Überlauf.");
const QString kNullUse = QStringLiteral("Ungültige Verwendung von Null.");
const QString kInvalidCall = QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument.");
const QString kDateRange =
    QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument: Datumswerte reichen vom 01.01.100 bis zum 31.12.9999.");

// Jet's Integer and Long.
constexpr qint64 kIntegerMin = -32768, kIntegerMax = 32767;
constexpr qint64 kLongMin = -2147483648LL, kLongMax = 2147483647LL;

// A date result: an error instead of a date outside Jet's range.
void resultDate(sqlite3_context* ctx, const QDateTime& dt) {
    if (!jetdate::inRange(dt)) return error(ctx, kDateRange);
    resultText(ctx, jettypes::isoDate(dt));
}
void resultDate(sqlite3_context* ctx, const QDate& d) {
    if (!d.isValid() || d < jetdate::kFirstDate || d > jetdate::kLastDate) return error(ctx, kDateRange);
    resultText(ctx, jettypes::isoDate(d));
}

// A floating result: Jet has no infinity, a result too large for a Double is an overflow.
void resultDouble(sqlite3_context* ctx, double d) {
    if (!std::isfinite(d)) return error(ctx, kOverflow);
    sqlite3_result_double(ctx, d);
}

void result(sqlite3_context* ctx, const QVariant& v) {
    if (v.isNull() || !v.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    switch (v.typeId()) {
        case QMetaType::Bool: sqlite3_result_int(ctx, v.toBool() ? -1 : 0); return;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Short: sqlite3_result_int64(ctx, v.toLongLong()); return;
        case QMetaType::Double:
        case QMetaType::Float: resultDouble(ctx, v.toDouble()); return;
        case QMetaType::QDate: resultDate(ctx, v.toDate()); return;
        case QMetaType::QDateTime: resultDate(ctx, v.toDateTime()); return;
        default: resultText(ctx, v.toString()); return;
    }
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

bool isNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

// A number argument: text is read as CDbl reads it; infinity (1e999 in SQL) is an overflow.
std::optional<double> numberArg(sqlite3_context* ctx, sqlite3_value* v) {
    auto d = jetformat::toNumber(arg(v));
    if (!d) {
        error(ctx, kTypeMismatch);
        return std::nullopt;
    }
    if (!std::isfinite(*d)) {
        error(ctx, kOverflow);
        return std::nullopt;
    }
    return d;
}

// Jet rounds CInt / CLng / Round halves to even.
double bankersRound(double x, int digits = 0) {
    const double scale = std::pow(10.0, digits);
    const double y = x * scale;
    double r = std::nearbyint(y);  // default rounding mode: to nearest, ties to even
    if (std::fabs(y - std::trunc(y)) != 0.5) r = std::round(y);
    return r / scale;
}

// A whole number in [min, max]: numbers are rounded halves to even (as Jet converts to Integer
// and Long); outside the range an overflow. Null is left to the caller.
std::optional<qint64> wholeArg(sqlite3_context* ctx, sqlite3_value* v, qint64 min, qint64 max) {
    if (sqlite3_value_type(v) == SQLITE_INTEGER) {
        const qint64 i = sqlite3_value_int64(v);
        if (i >= min && i <= max) return i;
        error(ctx, kOverflow);
        return std::nullopt;
    }
    const auto d = numberArg(ctx, v);
    if (!d) return std::nullopt;
    const double r = bankersRound(*d);
    // double(max) + 1 is exact for every max used here (2^15, 2^31, 2^63).
    if (!(r >= double(min) && r < double(max) + 1.0)) {
        error(ctx, kOverflow);
        return std::nullopt;
    }
    return qint64(r);
}

// Jet's firstdayofweek argument: 0 (the system's) … 7; absent or Null is Sunday.
std::optional<int> firstDayArg(sqlite3_context* ctx, int argc, sqlite3_value** argv, int at) {
    if (argc <= at || isNull(argv[at])) return 1;
    const auto n = wholeArg(ctx, argv[at], kIntegerMin, kIntegerMax);
    if (!n) return std::nullopt;
    if (*n < 0 || *n > 7) {
        error(ctx, kInvalidCall);
        return std::nullopt;
    }
    return *n == 0 ? 1 : int(*n);
}

// A Boolean argument (Yes/No): any number not 0 is True; absent or Null is False.
std::optional<bool> flagArg(sqlite3_context* ctx, int argc, sqlite3_value** argv, int at) {
    if (argc <= at || isNull(argv[at])) return false;
    const auto d = numberArg(ctx, argv[at]);
    if (!d) return std::nullopt;
    return *d != 0.0;
}

std::optional<QDateTime> dateArg(sqlite3_context* ctx, sqlite3_value* v) {
    const QVariant value = arg(v);
    auto dt = jetdate::fromVariant(value);
    if (!dt) {
        // A number that is no date is one outside the range of dates.
        const auto n = jetformat::toNumber(value);
        error(ctx, n ? kDateRange : kTypeMismatch);
        return std::nullopt;
    }
    if (!jetdate::inRange(*dt)) {
        error(ctx, kDateRange);
        return std::nullopt;
    }
    return dt;
}

QString textArg(sqlite3_value* v) { return jetformat::toText(arg(v)); }

// A text result of n characters: more than SQLite keeps in one value is "too big".
bool fitsText(sqlite3_context* ctx, qint64 n) {
    if (n <= sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1)) return true;
    sqlite3_result_error_toobig(ctx);
    return false;
}

// ---- dates ----------------------------------------------------------------------------

void fnCDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto dt = dateArg(ctx, argv[0])) resultDate(ctx, *dt);
}

void fnDateValue(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto dt = dateArg(ctx, argv[0])) resultDate(ctx, dt->date());
}

// DateDiff(interval, date1, date2[, firstdayofweek[, firstweekofyear]])
void fnDateDiff(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(3, argv)) return sqlite3_result_null(ctx);
    const QString interval = textArg(argv[0]);
    const auto a = dateArg(ctx, argv[1]);
    if (!a) return;
    const auto b = dateArg(ctx, argv[2]);
    if (!b) return;
    const auto firstDay = firstDayArg(ctx, argc, argv, 3);
    if (!firstDay) return;
    if (auto n = jetdate::dateDiff(interval, *a, *b, *firstDay))
        sqlite3_result_int64(ctx, *n);
    else
        error(ctx, QStringLiteral("Ungültiges Intervall '%1' in DateDiff.").arg(interval));
}

void fnDateAdd(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const QString interval = textArg(argv[0]);
    const auto n = numberArg(ctx, argv[1]);
    if (!n) return;
    const auto d = dateArg(ctx, argv[2]);
    if (!d) return;
    if (auto r = jetdate::dateAdd(interval, *n, *d))
        resultDate(ctx, *r);
    else
        error(ctx, QStringLiteral("Ungültiges Intervall '%1' in DateAdd.").arg(interval));
}

// DatePart(interval, date[, firstdayofweek[, firstweekofyear]])
void fnDatePart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(2, argv)) return sqlite3_result_null(ctx);
    const QString interval = textArg(argv[0]);
    const auto d = dateArg(ctx, argv[1]);
    if (!d) return;
    const auto firstDay = firstDayArg(ctx, argc, argv, 2);
    if (!firstDay) return;
    if (auto n = jetdate::datePart(interval, *d, *firstDay))
        sqlite3_result_int(ctx, *n);
    else
        error(ctx, QStringLiteral("Ungültiges Intervall '%1' in DatePart.").arg(interval));
}

template <int Part>
void fnDatePiece(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    const auto d = dateArg(ctx, argv[0]);
    if (!d) return;
    switch (Part) {
        case 0: sqlite3_result_int(ctx, d->date().year()); break;
        case 1: sqlite3_result_int(ctx, d->date().month()); break;
        case 2: sqlite3_result_int(ctx, d->date().day()); break;
        case 3: sqlite3_result_int(ctx, d->time().hour()); break;
        case 4: sqlite3_result_int(ctx, d->time().minute()); break;
        case 5: sqlite3_result_int(ctx, d->time().second()); break;
        case 6: {
            if (const auto firstDay = firstDayArg(ctx, argc, argv, 1))
                sqlite3_result_int(ctx, *jetdate::datePart(QStringLiteral("w"), *d, *firstDay));
            break;
        }
    }
}

// DateSerial(year, month, day): Integer arguments; months and days outside their range roll
// over (DateSerial(2024, 13, 1) is 1 January 2025); years 0 to 99 are read as two digits.
void fnDateSerial(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto y = wholeArg(ctx, argv[0], kIntegerMin, kIntegerMax);
    if (!y) return;
    const auto m = wholeArg(ctx, argv[1], kIntegerMin, kIntegerMax);
    if (!m) return;
    const auto d = wholeArg(ctx, argv[2], kIntegerMin, kIntegerMax);
    if (!d) return;
    const int year = *y >= 0 && *y < 100 ? dates::expandYear(int(*y)) : int(*y);
    if (year == 0) return error(ctx, kDateRange);  // there is no year 0
    resultDate(ctx, QDate(year, 1, 1).addMonths(int(*m) - 1).addDays(*d - 1));
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) {
    const QDateTime now = Clock::current().now();
    resultDate(ctx, QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC));
}
void fnDate(sqlite3_context* ctx, int, sqlite3_value**) { resultDate(ctx, Clock::current().today()); }
void fnTime(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, Clock::current().now().time().toString(QStringLiteral("HH:mm:ss")));
}

// ---- conversion and numbers -----------------------------------------------------------

// Format(value[, format[, firstdayofweek[, firstweekofyear]]])
void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const QString fmt = argc > 1 && !isNull(argv[1]) ? textArg(argv[1]) : QString();
    if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT && !std::isfinite(sqlite3_value_double(argv[0]))) return error(ctx, kOverflow);
    result(ctx, jetformat::format(arg(argv[0]), fmt));
}

void fnCDbl(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, kNullUse);
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_double(ctx, *d);
}

template <qint64 Min, qint64 Max>
void fnCInteger(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, kNullUse);
    if (const auto n = wholeArg(ctx, argv[0], Min, Max)) sqlite3_result_int64(ctx, *n);
}

void fnCStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, kNullUse);
    resultText(ctx, textArg(argv[0]));
}

void fnCBool(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, kNullUse);
    const QVariant v = arg(argv[0]);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("wahr")) return sqlite3_result_int(ctx, -1);
        if (s == QLatin1String("false") || s == QLatin1String("falsch")) return sqlite3_result_int(ctx, 0);
    }
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_int(ctx, *d != 0 ? -1 : 0);
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    // Val reads the leading number with a point as decimal separator and skips blanks.
    QString s = textArg(argv[0]);
    s.remove(QLatin1Char(' '));
    s.remove(QLatin1Char('\t'));
    qsizetype i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) ++i;
    bool seenPoint = false, seenDigit = false;
    while (i < s.size()) {
        if (s[i].isDigit() && s[i].unicode() < 128)
            seenDigit = true;
        else if (s[i] == QLatin1Char('.') && !seenPoint)
            seenPoint = true;
        else
            break;
        ++i;
    }
    if (seenDigit && i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == QLatin1Char('-') || s[j] == QLatin1Char('+'))) ++j;
        if (j < s.size() && s[j].isDigit()) {
            while (j < s.size() && s[j].isDigit()) ++j;
            i = j;
        }
    }
    const double d = seenDigit ? s.left(i).toDouble() : 0.0;
    if (d == std::trunc(d) && std::fabs(d) < 2e9)
        sqlite3_result_int64(ctx, qint64(d));
    else
        resultDouble(ctx, d);
}

// Int and Fix keep the type: a whole number stays one, a Double beyond the range of whole
// numbers is already whole and comes back as it is.
template <double (*Whole)(double)>
void fnWhole(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    const double r = Whole(*d);
    if (std::fabs(r) < 9e15)
        sqlite3_result_int64(ctx, qint64(r));
    else
        sqlite3_result_double(ctx, r);
}
double floorOf(double d) { return std::floor(d); }
double truncOf(double d) { return std::trunc(d); }

// Round(number[, digits]): halves to even; no negative number of digits.
void fnRound(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    qint64 digits = 0;
    if (argc > 1) {
        const auto n = wholeArg(ctx, argv[1], kLongMin, kLongMax);
        if (!n) return;
        if (*n < 0) return error(ctx, kInvalidCall);
        digits = *n;
    }
    // Past 15 digits (or where the scaled number is too large) a Double has nothing to round.
    if (digits > 15 || !std::isfinite(*d * std::pow(10.0, double(digits)))) return sqlite3_result_double(ctx, *d);
    sqlite3_result_double(ctx, bankersRound(*d, int(digits)));
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (!isNull(argv[0])) return sqlite3_result_value(ctx, argv[0]);
    if (argc > 1) return sqlite3_result_value(ctx, argv[1]);
    sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void fnIsNull(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_int(ctx, isNull(argv[0]) ? -1 : 0); }

// The operands of \ and Mod: both rounded to whole numbers first, the divisor never zero.
// Nothing when the result is already set (Null, or an error).
std::optional<std::pair<qint64, qint64>> wholeOperands(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return std::nullopt;
    }
    constexpr qint64 min = std::numeric_limits<qint64>::min(), max = std::numeric_limits<qint64>::max();
    const auto a = wholeArg(ctx, argv[0], min, max);
    if (!a) return std::nullopt;
    const auto b = wholeArg(ctx, argv[1], min, max);
    if (!b) return std::nullopt;
    if (*b == 0) {
        error(ctx, QStringLiteral("Division durch Null."));
        return std::nullopt;
    }
    return std::pair{*a, *b};
}

void fnIntDiv(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const auto o = wholeOperands(ctx, argc, argv);
    if (!o) return;
    // The one quotient that does not fit: the smallest number divided by -1.
    if (o->second == -1 && o->first == std::numeric_limits<qint64>::min()) return error(ctx, kOverflow);
    sqlite3_result_int64(ctx, o->first / o->second);
}

// Mod rounds both operands to whole numbers first; the result takes the sign of the dividend.
void fnMod(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const auto o = wholeOperands(ctx, argc, argv);
    if (!o) return;
    sqlite3_result_int64(ctx, o->second == -1 ? 0 : o->first % o->second);
}

// ---- Jet's operators on mixed types ---------------------------------------------------

// A value as Jet's + and - see it: a stored date is ISO text, anything else numeric or text.
struct Operand {
    enum Kind { Null, Number, Date, Text } kind = Null;
    double number = 0;
    bool integral = false;  // an SQLite integer, exactly in whole
    qint64 whole = 0;
    QDateTime date;
    QString text;
};

Operand operand(sqlite3_value* v) {
    Operand o;
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL: return o;
        case SQLITE_INTEGER:
            o.kind = Operand::Number;
            o.whole = sqlite3_value_int64(v);
            o.number = double(o.whole);
            o.integral = true;
            return o;
        case SQLITE_FLOAT:
            o.kind = Operand::Number;
            o.number = sqlite3_value_double(v);
            return o;
        default: break;
    }
    o.text = textArg(v);
    if (auto dt = jettypes::parseIso(o.text)) {
        o.kind = Operand::Date;
        o.date = *dt;
    } else {
        o.kind = Operand::Text;
    }
    return o;
}

// The operand as a number: dates as their serial number, text read as CDbl reads it.
std::optional<double> asNumber(const Operand& o) {
    if (o.kind == Operand::Number) return o.number;
    if (o.kind == Operand::Date) return jetdate::toSerial(o.date);
    return jetformat::toNumber(QVariant(o.text));
}

void resultNumber(sqlite3_context* ctx, double d) {
    if (d == std::trunc(d) && std::fabs(d) < 9e15)
        sqlite3_result_int64(ctx, qint64(d));
    else
        resultDouble(ctx, d);
}

// A date computed from a serial number: outside the range of dates an error.
void resultSerial(sqlite3_context* ctx, double serial) {
    if (const auto dt = jetdate::fromSerial(serial)) return resultDate(ctx, *dt);
    error(ctx, kDateRange);
}

// a + b: numbers add, a date plus a number of days is a date, two texts are joined. Whole
// numbers that overflow the 64-bit range give the Double sum, as SQLite's own + does.
void fnPlus(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const Operand a = operand(argv[0]), b = operand(argv[1]);
    if (a.kind == Operand::Null || b.kind == Operand::Null) return sqlite3_result_null(ctx);
    if (a.kind == Operand::Text && b.kind == Operand::Text) return resultText(ctx, a.text + b.text);
    const auto x = asNumber(a), y = asNumber(b);
    if (!x || !y) return error(ctx, kTypeMismatch);
    if (a.kind == Operand::Date || b.kind == Operand::Date) return resultSerial(ctx, *x + *y);
    qint64 sum = 0;
    if (a.integral && b.integral && !__builtin_add_overflow(a.whole, b.whole, &sum)) return sqlite3_result_int64(ctx, sum);
    resultDouble(ctx, *x + *y);
}

// a - b: a date minus days is a date, a date minus a date is the days between them.
void fnMinus(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const Operand a = operand(argv[0]), b = operand(argv[1]);
    if (a.kind == Operand::Null || b.kind == Operand::Null) return sqlite3_result_null(ctx);
    const auto x = asNumber(a), y = asNumber(b);
    if (!x || !y) return error(ctx, kTypeMismatch);
    if (a.kind == Operand::Date && b.kind != Operand::Date) return resultSerial(ctx, *x - *y);
    qint64 difference = 0;
    if (a.integral && b.integral && !__builtin_sub_overflow(a.whole, b.whole, &difference)) return sqlite3_result_int64(ctx, difference);
    if (a.integral && b.integral) return resultDouble(ctx, *x - *y);
    resultNumber(ctx, *x - *y);
}

void fnPow(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto a = numberArg(ctx, argv[0]);
    if (!a) return;
    const auto b = numberArg(ctx, argv[1]);
    if (!b) return;
    const double r = std::pow(*a, *b);
    if (std::isnan(r)) return error(ctx, kInvalidCall);
    resultDouble(ctx, r);
}

// IIf(condition, then, else): Null and 0 choose the else part.
void fnIIf(sqlite3_context* ctx, int, sqlite3_value** argv) {
    bool yes = false;
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL: yes = false; break;
        case SQLITE_INTEGER: yes = sqlite3_value_int64(argv[0]) != 0; break;
        case SQLITE_FLOAT: yes = sqlite3_value_double(argv[0]) != 0.0; break;
        default: {
            const QString s = textArg(argv[0]).trimmed();
            if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s.compare(QLatin1String("wahr"), Qt::CaseInsensitive) == 0) {
                yes = true;
            } else if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
                       s.compare(QLatin1String("falsch"), Qt::CaseInsensitive) == 0) {
                yes = false;
            } else {
                const auto d = jetformat::toNumber(QVariant(s));
                if (!d) return error(ctx, kTypeMismatch);
                yes = *d != 0.0;
            }
        }
    }
    sqlite3_result_value(ctx, argv[yes ? 1 : 2]);
}

// Switch(condition1, value1, condition2, value2, …): the value of the first true condition.
void fnSwitch(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc % 2 != 0) return error(ctx, QStringLiteral("Falsche Anzahl an Argumenten für die Funktion 'Switch'."));
    for (int i = 0; i + 1 < argc; i += 2) {
        if (isNull(argv[i])) continue;
        const auto d = numberArg(ctx, argv[i]);
        if (!d) return;
        if (*d != 0.0) return sqlite3_result_value(ctx, argv[i + 1]);
    }
    sqlite3_result_null(ctx);
}

// Choose(index, value1, value2, …): Null when the index is outside the list.
void fnChoose(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) return error(ctx, kNullUse);
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    const double i = std::trunc(*d);
    if (i < 1 || i >= argc) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, argv[int(i)]);
}

void fnSgn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_int(ctx, *d > 0 ? 1 : *d < 0 ? -1 : 0);
}

void fnSqr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    if (*d < 0) return error(ctx, kInvalidCall);
    sqlite3_result_double(ctx, std::sqrt(*d));
}

// Str(5) is " 5": a blank stands where a minus sign would; always a decimal point.
void fnStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    QString s = (*d == std::trunc(*d) && std::fabs(*d) < 1e15) ? QString::number(qint64(*d)) : QString::number(*d, 'g', 15);
    if (*d >= 0) s.prepend(QLatin1Char(' '));
    resultText(ctx, s);
}

// Chr and Asc use the Windows code page of German systems: 128 is the euro sign.
void fnChr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, kNullUse);
    const auto code = wholeArg(ctx, argv[0], kLongMin, kLongMax);
    if (!code) return;
    if (*code < 0 || *code > 255) return error(ctx, kInvalidCall);
    resultText(ctx, *code == 128 ? QString(QChar(0x20AC)) : QString(QChar(char16_t(*code))));
}

void fnAsc(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, kNullUse);
    const QString s = textArg(argv[0]);
    if (s.isEmpty()) return error(ctx, kInvalidCall);
    const char16_t c = s.front().unicode();
    sqlite3_result_int(ctx, c == 0x20AC ? 128 : int(c));
}

// The compare argument of StrComp and InStr: 0 binary, 1 (and 2, the database's) text; -1
// the default, which is text in SQL. True when the comparison is binary.
std::optional<bool> binaryCompareArg(sqlite3_context* ctx, int argc, sqlite3_value** argv, int at) {
    if (argc <= at || isNull(argv[at])) return false;
    const auto n = wholeArg(ctx, argv[at], kIntegerMin, kIntegerMax);
    if (!n) return std::nullopt;
    if (*n < -1 || *n > 2) {
        error(ctx, kInvalidCall);
        return std::nullopt;
    }
    return *n == 0;
}

// StrComp(a, b[, compare]): -1, 0 or 1.
void fnStrComp(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(2, argv)) return sqlite3_result_null(ctx);
    const auto binary = binaryCompareArg(ctx, argc, argv, 2);
    if (!binary) return;
    const QString a = textArg(argv[0]), b = textArg(argv[1]);
    const int r = *binary ? QString::compare(a, b, Qt::CaseSensitive) : jettext::compare(a, b);
    sqlite3_result_int(ctx, r < 0 ? -1 : r > 0 ? 1 : 0);
}

void fnIsDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    bool yes = false;
    if (type == SQLITE_TEXT)
        if (const auto dt = jetdate::fromText(textArg(argv[0]))) yes = jetdate::inRange(*dt);
    sqlite3_result_int(ctx, yes ? -1 : 0);
}

void fnIsNumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    bool yes = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    if (type == SQLITE_TEXT) yes = jetformat::toNumber(QVariant(textArg(argv[0]))).has_value();
    sqlite3_result_int(ctx, yes ? -1 : 0);
}

// MonthName(month[, abbreviate])
void fnMonthName(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) return error(ctx, kNullUse);
    const auto m = wholeArg(ctx, argv[0], kLongMin, kLongMax);
    if (!m) return;
    if (*m < 1 || *m > 12) return error(ctx, kInvalidCall);
    const auto abbreviate = flagArg(ctx, argc, argv, 1);
    if (!abbreviate) return;
    resultText(ctx, *abbreviate ? dates::monthShort(int(*m)) : dates::monthName(int(*m)));
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]])
void fnWeekdayName(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) return error(ctx, kNullUse);
    const auto w = wholeArg(ctx, argv[0], kLongMin, kLongMax);
    if (!w) return;
    if (*w < 1 || *w > 7) return error(ctx, kInvalidCall);
    const auto abbreviate = flagArg(ctx, argc, argv, 1);
    if (!abbreviate) return;
    const auto firstDay = firstDayArg(ctx, argc, argv, 2);
    if (!firstDay) return;
    // Weekday number w counted from firstDay (1 = Sunday); 2 January 2000 was a Sunday.
    const QDate d = QDate(2000, 1, 2).addDays((*w - 1 + *firstDay - 1) % 7);
    resultText(ctx, *abbreviate ? dates::weekdayShort(d) : dates::weekdayName(d));
}

// ---- text -----------------------------------------------------------------------------

void fnConcat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    QString s;
    bool allNull = true;
    for (int i = 0; i < argc; ++i) {
        if (isNull(argv[i])) continue;
        allNull = false;
        s += textArg(argv[i]);
    }
    // Null & Null is Null in Jet; anything else treats Null as empty text.
    if (allNull && argc > 0) return sqlite3_result_null(ctx);
    resultText(ctx, s);
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, textArg(argv[0]).size());
}

// The length argument of Left, Right and Mid: a Long; a negative one counts as 0.
std::optional<qsizetype> lengthArg(sqlite3_context* ctx, sqlite3_value* v) {
    if (isNull(v)) {
        error(ctx, kNullUse);
        return std::nullopt;
    }
    const auto n = wholeArg(ctx, v, kLongMin, kLongMax);
    if (!n) return std::nullopt;
    return qsizetype(qMax<qint64>(0, *n));
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (const auto n = lengthArg(ctx, argv[1])) resultText(ctx, textArg(argv[0]).left(*n));
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (const auto n = lengthArg(ctx, argv[1])) resultText(ctx, textArg(argv[0]).right(*n));
}

// Mid(text, start[, length])
void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    if (isNull(argv[1])) return error(ctx, kNullUse);
    const auto start = wholeArg(ctx, argv[1], kLongMin, kLongMax);
    if (!start) return;
    if (*start < 1) return error(ctx, kInvalidCall);
    qsizetype length = -1;
    if (argc > 2) {
        if (isNull(argv[2])) return error(ctx, kNullUse);
        const auto n = wholeArg(ctx, argv[2], kLongMin, kLongMax);
        if (!n) return;
        if (*n < 0) return error(ctx, kInvalidCall);
        length = qsizetype(*n);
    }
    resultText(ctx, textArg(argv[0]).mid(qsizetype(*start - 1), length));
}

template <int Mode>
void fnTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    const QString s = textArg(argv[0]);
    qsizetype from = 0, to = s.size();
    if (Mode != 2)
        while (from < to && s[from] == QLatin1Char(' ')) ++from;
    if (Mode != 1)
        while (to > from && s[to - 1] == QLatin1Char(' ')) --to;
    resultText(ctx, s.mid(from, to - from));
}

template <bool Upper>
void fnCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    const QString s = textArg(argv[0]);
    resultText(ctx, Upper ? jettext::upper(s) : s.toLower());
}

// InStr([start, ]text, sought[, compare])
void fnInStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    qint64 start = 1;
    int first = 0;
    if (argc >= 3) {
        if (isNull(argv[0])) return error(ctx, kNullUse);
        const auto n = wholeArg(ctx, argv[0], kLongMin, kLongMax);
        if (!n) return;
        start = *n;
        first = 1;
    }
    if (start < 1) return error(ctx, kInvalidCall);
    const auto binary = binaryCompareArg(ctx, argc, argv, 3);
    if (!binary) return;
    if (isNull(argv[first]) || isNull(argv[first + 1])) return sqlite3_result_null(ctx);
    const QString hay = textArg(argv[first]);
    const QString needle = textArg(argv[first + 1]);
    if (needle.isEmpty()) return sqlite3_result_int64(ctx, start <= hay.size() ? start : 0);
    if (start > hay.size()) return sqlite3_result_int(ctx, 0);
    const qsizetype at = *binary ? hay.indexOf(needle, qsizetype(start - 1), Qt::CaseSensitive)
                                 : jettext::fold(hay).indexOf(jettext::fold(needle), qsizetype(start - 1));
    sqlite3_result_int64(ctx, at < 0 ? 0 : at + 1);
}

void fnSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return error(ctx, kNullUse);
    const auto n = wholeArg(ctx, argv[0], kLongMin, kLongMax);
    if (!n) return;
    if (*n < 0) return error(ctx, kInvalidCall);
    if (!fitsText(ctx, *n)) return;
    resultText(ctx, QString(qsizetype(*n), QLatin1Char(' ')));
}

// ---- Like -----------------------------------------------------------------------------

// Like with the pattern compiled once per statement (kept with SQLite's auxiliary data of the
// pattern argument while the pattern stays the same), not once per row.
bool likeCompiledOnce(sqlite3_context* ctx, const QString& value, const QString& pattern);

void fnLike(sqlite3_context* ctx, int, sqlite3_value** argv) {
    // SQLite calls like(pattern, value[, escape]) for "value LIKE pattern"; Jet has no escape.
    if (isNull(argv[0]) || isNull(argv[1])) return sqlite3_result_null(ctx);
    // The limit SQLite sets its own LIKE (matching a long pattern with "*" costs its length
    // times the value's).
    const int limit = sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
    if (sqlite3_value_bytes(argv[0]) > limit) return error(ctx, QStringLiteral("Das Muster für Like ist zu lang."));
    sqlite3_result_int(ctx, likeCompiledOnce(ctx, textArg(argv[1]), textArg(argv[0])) ? 1 : 0);
}

void fnAdoPattern(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) return sqlite3_result_null(ctx);
    resultText(ctx, adoPattern(textArg(argv[0])));
}

// ---- aggregates First / Last ----------------------------------------------------------

struct FirstLast {
    bool set;
    sqlite3_value* value;
};

template <bool Last>
void stepFirstLast(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* st = static_cast<FirstLast*>(sqlite3_aggregate_context(ctx, sizeof(FirstLast)));
    if (!st) return sqlite3_result_error_nomem(ctx);
    if (st->set && !Last) return;
    if (st->set) sqlite3_value_free(st->value);
    st->value = sqlite3_value_dup(argv[0]);
    st->set = st->value != nullptr;
}

void finalFirstLast(sqlite3_context* ctx) {
    auto* st = static_cast<FirstLast*>(sqlite3_aggregate_context(ctx, 0));
    if (!st || !st->set) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, st->value);
    sqlite3_value_free(st->value);
    st->set = false;
}

// ---- the registry ---------------------------------------------------------------------

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);
using Final = void (*)(sqlite3_context*);

constexpr int kAny = -1;

// One entry per registered function: the Jet names the translator renames to it, how many
// arguments it takes, and its code. SQLite gets one registration per argument count, so that a
// call with a wrong count is refused when the statement is prepared; the dispatcher checks the
// count once more before any argument is read.
struct Entry {
    const char* jetNames;  // comma-separated names the translator renames; the first is shown
    const char* sqlName;
    int minArgs;
    int maxArgs;            // kAny: no upper bound
    Fn fn;                  // the scalar function, or the step of an aggregate
    Final final = nullptr;  // set for an aggregate
    bool deterministic = true;
};

const Entry kEntries[] = {
    {"CDate,CVDate", "jet_cdate", 1, 1, fnCDate},
    {"DateValue", "jet_datevalue", 1, 1, fnDateValue},
    {"DateDiff", "jet_datediff", 3, 5, fnDateDiff},
    {"DateAdd", "jet_dateadd", 3, 3, fnDateAdd},
    {"DatePart", "jet_datepart", 2, 4, fnDatePart},
    {"DateSerial", "jet_dateserial", 3, 3, fnDateSerial},
    {"Year", "jet_year", 1, 1, fnDatePiece<0>},
    {"Month", "jet_month", 1, 1, fnDatePiece<1>},
    {"Day", "jet_day", 1, 1, fnDatePiece<2>},
    {"Hour", "jet_hour", 1, 1, fnDatePiece<3>},
    {"Minute", "jet_minute", 1, 1, fnDatePiece<4>},
    {"Second", "jet_second", 1, 1, fnDatePiece<5>},
    {"Weekday", "jet_weekday", 1, 2, fnDatePiece<6>},
    {"Now", "jet_now", 0, 0, fnNow, nullptr, false},
    {"Date,Date$", "jet_date", 0, 0, fnDate, nullptr, false},
    {"Time,Time$", "jet_time", 0, 0, fnTime, nullptr, false},
    {"Format,Format$", "jet_format", 1, 4, fnFormat},
    {"CDbl,CSng,CCur,CDec", "jet_cdbl", 1, 1, fnCDbl},
    {"CInt", "jet_cint", 1, 1, fnCInteger<kIntegerMin, kIntegerMax>},
    {"CLng", "jet_clng", 1, 1, fnCInteger<kLongMin, kLongMax>},
    {"CByte", "jet_cbyte", 1, 1, fnCInteger<0, 255>},
    {"CStr", "jet_cstr", 1, 1, fnCStr},
    {"CBool", "jet_cbool", 1, 1, fnCBool},
    {"Val", "jet_val", 1, 1, fnVal},
    {"Int", "jet_int", 1, 1, fnWhole<floorOf>},
    {"Fix", "jet_fix", 1, 1, fnWhole<truncOf>},
    {"Round", "jet_round", 1, 2, fnRound},
    {"Nz", "jet_nz", 1, 2, fnNz},
    {"IsNull", "jet_isnull", 1, 1, fnIsNull},
    {"Len", "jet_len", 1, 1, fnLen},
    {"Left,Left$", "jet_left", 2, 2, fnLeft},
    {"Right,Right$", "jet_right", 2, 2, fnRight},
    {"Mid,Mid$", "jet_mid", 2, 3, fnMid},
    {"Trim,Trim$", "jet_trim", 1, 1, fnTrim<0>},
    {"LTrim,LTrim$", "jet_ltrim", 1, 1, fnTrim<1>},
    {"RTrim,RTrim$", "jet_rtrim", 1, 1, fnTrim<2>},
    {"UCase,UCase$", "jet_ucase", 1, 1, fnCase<true>},
    {"LCase,LCase$", "jet_lcase", 1, 1, fnCase<false>},
    {"InStr", "jet_instr", 2, 4, fnInStr},
    {"Space,Space$", "jet_space", 1, 1, fnSpace},
    {"IIf", "jet_iif", 3, 3, fnIIf},
    {"Switch", "jet_switch", 2, kAny, fnSwitch},
    {"Choose", "jet_choose", 2, kAny, fnChoose},
    {"Sgn", "jet_sgn", 1, 1, fnSgn},
    {"Sqr", "jet_sqr", 1, 1, fnSqr},
    {"Str,Str$", "jet_str", 1, 1, fnStr},
    {"Chr,Chr$", "jet_chr", 1, 1, fnChr},
    {"Asc", "jet_asc", 1, 1, fnAsc},
    {"StrComp", "jet_strcomp", 2, 3, fnStrComp},
    {"IsDate", "jet_isdate", 1, 1, fnIsDate},
    {"IsNumeric", "jet_isnumeric", 1, 1, fnIsNumeric},
    {"MonthName", "jet_monthname", 1, 2, fnMonthName},
    {"WeekdayName", "jet_weekdayname", 1, 3, fnWeekdayName},
    {"First", "jet_first", 1, 1, stepFirstLast<false>, finalFirstLast, false},
    {"Last", "jet_last", 1, 1, stepFirstLast<true>, finalFirstLast, false},
    // Written by the translator only, for Jet's operators:
    {"", "jet_concat", 1, kAny, fnConcat},
    {"", "jet_intdiv", 2, 2, fnIntDiv},
    {"", "jet_mod", 2, 2, fnMod},
    {"", "jet_pow", 2, 2, fnPow},
    {"", "jet_plus", 2, 2, fnPlus},
    {"", "jet_plus_date", 2, 2, fnPlus},
    {"", "jet_plus_text", 2, 2, fnPlus},
    {"", "jet_minus", 2, 2, fnMinus},
    {"", "jet_minus_date", 2, 2, fnMinus},
    {"", "jet_minus_days", 2, 2, fnMinus},
    {"", "jet_adopattern", 1, 1, fnAdoPattern},
    // Jet's Like replaces SQLite's on every connection (case folding with umlauts, * ? # [..]).
    {"", "like", 2, 3, fnLike},
};

QString shownName(const Entry& e) {
    const QString names = QString::fromLatin1(e.jetNames);
    return names.isEmpty() ? QString::fromLatin1(e.sqlName) : names.section(QLatin1Char(','), 0, 0);
}

void wrongCount(sqlite3_context* ctx, const Entry& e) {
    error(ctx, QStringLiteral("Falsche Anzahl an Argumenten für die Funktion '%1'.").arg(shownName(e)));
}

// Every call goes through here: the count is checked before the function reads an argument,
// and no exception (out of memory in Qt) unwinds through SQLite's C frames.
void dispatch(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const auto& e = *static_cast<const Entry*>(sqlite3_user_data(ctx));
    if (argc < e.minArgs || (e.maxArgs != kAny && argc > e.maxArgs)) return wrongCount(ctx, e);
    try {
        e.fn(ctx, argc, argv);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(ctx);
    } catch (const std::exception&) {
        error(ctx, kInvalidCall);
    }
}

void dispatchFinal(sqlite3_context* ctx) {
    const auto& e = *static_cast<const Entry*>(sqlite3_user_data(ctx));
    try {
        e.final(ctx);
    } catch (...) {
        sqlite3_result_error_nomem(ctx);
    }
}

const QHash<QString, const Entry*>& renames() {
    static const QHash<QString, const Entry*> map = [] {
        QHash<QString, const Entry*> m;
        for (const Entry& e : kEntries)
            for (const QString& n : QString::fromLatin1(e.jetNames).split(QLatin1Char(','), Qt::SkipEmptyParts)) m.insert(n.toLower(), &e);
        return m;
    }();
    return map;
}

int collate(void*, int na, const void* a, int nb, const void* b) {
    return jettext::compareUtf8(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

// ---- pattern matching -----------------------------------------------------------------

struct PatternItem {
    enum Kind { Any, One, Digit, Set, Literal } kind;
    QChar ch;
    QList<QPair<QChar, QChar>> ranges;
    bool negate = false;
};

QList<PatternItem> compile(const QString& pattern) {
    QList<PatternItem> items;
    bool closeAhead = true;  // once no "]" follows, none follows a later "[" either
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            if (items.isEmpty() || items.back().kind != PatternItem::Any) items.push_back({PatternItem::Any, {}, {}, false});
        } else if (c == QLatin1Char('?')) {
            items.push_back({PatternItem::One, {}, {}, false});
        } else if (c == QLatin1Char('#')) {
            items.push_back({PatternItem::Digit, {}, {}, false});
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = closeAhead ? pattern.indexOf(QLatin1Char(']'), i + 1) : -1;
            if (close < 0) {  // an open bracket without end is taken literally
                closeAhead = false;
                items.push_back({PatternItem::Literal, c, {}, false});
                continue;
            }
            PatternItem set{PatternItem::Set, {}, {}, false};
            qsizetype j = i + 1;
            if (j < close && pattern[j] == QLatin1Char('!')) {
                set.negate = true;
                ++j;
            }
            for (; j < close; ++j) {
                if (j + 2 < close && pattern[j + 1] == QLatin1Char('-')) {
                    set.ranges.push_back({pattern[j], pattern[j + 2]});
                    j += 2;
                } else {
                    set.ranges.push_back({pattern[j], pattern[j]});
                }
            }
            items.push_back(set);
            i = close;
        } else {
            items.push_back({PatternItem::Literal, c, {}, false});
        }
    }
    return items;
}

bool matchesOne(const PatternItem& item, QChar c) {
    switch (item.kind) {
        case PatternItem::One: return true;
        case PatternItem::Digit: return c.isDigit();
        case PatternItem::Literal: return item.ch == c;
        case PatternItem::Set: {
            bool in = false;
            for (const auto& r : item.ranges)
                if (c >= r.first && c <= r.second) in = true;
            return in != item.negate;
        }
        case PatternItem::Any: return true;
    }
    return false;
}

bool matches(const QString& valueIn, const QList<PatternItem>& items);

bool likeCompiledOnce(sqlite3_context* ctx, const QString& value, const QString& pattern) {
    using Items = QList<PatternItem>;
    if (const auto* kept = static_cast<const Items*>(sqlite3_get_auxdata(ctx, 0))) return matches(value, *kept);
    auto* items = new Items(compile(jettext::fold(pattern)));
    const bool result = matches(value, *items);
    // SQLite owns the list from here on and may free it at once.
    sqlite3_set_auxdata(ctx, 0, items, [](void* p) { delete static_cast<Items*>(p); });
    return result;
}

bool matches(const QString& valueIn, const QList<PatternItem>& items) {
    const QString value = jettext::fold(valueIn);
    // Greedy matching with backtracking to the last "*".
    qsizetype v = 0, p = 0, starP = -1, starV = 0;
    while (v < value.size()) {
        if (p < items.size() && items[p].kind == PatternItem::Any) {
            starP = p++;
            starV = v;
        } else if (p < items.size() && matchesOne(items[p], value[v])) {
            ++p;
            ++v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < items.size() && items[p].kind == PatternItem::Any) ++p;
    return p == items.size();
}

}  // namespace

bool like(const QString& value, const QString& pattern) { return matches(value, compile(jettext::fold(pattern))); }

QString adoPattern(const QString& pattern) {
    QString out;
    for (QChar c : pattern) {
        if (c == QLatin1Char('%'))
            out += QLatin1Char('*');
        else if (c == QLatin1Char('_'))
            out += QLatin1Char('?');
        else if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#'))
            out += QLatin1Char('[') + c + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

QString sqlName(const QString& jetName) {
    const Entry* e = renames().value(jetName.toLower());
    return e ? QString::fromLatin1(e->sqlName) : QString();
}

QString jetName(const QString& registeredName) {
    for (const Entry& e : kEntries)
        if (registeredName.compare(QLatin1String(e.sqlName), Qt::CaseInsensitive) == 0) return shownName(e);
    return {};
}

QList<FunctionInfo> functions() {
    QList<FunctionInfo> out;
    for (const Entry& e : kEntries)
        out.push_back({QString::fromLatin1(e.jetNames).split(QLatin1Char(','), Qt::SkipEmptyParts), QString::fromLatin1(e.sqlName),
                       e.minArgs, e.maxArgs, e.final != nullptr});
    return out;
}

void registerAll(sqlite3* db) {
    sqlite3_create_collation_v2(db, jettext::kCollation, SQLITE_UTF8, nullptr, collate, nullptr);
    for (const Entry& e : kEntries) {
        const int flags = SQLITE_UTF8 | (e.deterministic ? SQLITE_DETERMINISTIC : 0);
        void* data = const_cast<Entry*>(&e);
        const auto add = [&](int n) {
            if (e.final)
                sqlite3_create_function_v2(db, e.sqlName, n, flags, data, nullptr, dispatch, dispatchFinal, nullptr);
            else
                sqlite3_create_function_v2(db, e.sqlName, n, flags, data, dispatch, nullptr, nullptr, nullptr);
        };
        if (e.maxArgs == kAny)
            add(-1);
        else
            for (int n = e.minArgs; n <= e.maxArgs; ++n) add(n);
    }
}

}  // namespace tav::sqlfunctions
