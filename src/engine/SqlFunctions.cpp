#include "engine/SqlFunctions.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QHash>
#include <QVariant>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "platform/Dates.h"
#include "engine/JetDate.h"
#include "engine/JetFormat.h"
#include "engine/JetText.h"
#include "engine/JetTypes.h"
#include "platform/Clock.h"

namespace tav::sqlfunctions {

namespace {

// ---- value conversion between SQLite and QVariant -------------------------------------

QVariant arg(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_value_int64(v)));
        case SQLITE_FLOAT: return QVariant(sqlite3_value_double(v));
        case SQLITE_TEXT:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                              sqlite3_value_bytes(v)));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v)));
        default: return QVariant();
    }
}

void resultText(sqlite3_context* ctx, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
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
        case QMetaType::Float: sqlite3_result_double(ctx, v.toDouble()); return;
        case QMetaType::QDate: resultText(ctx, jettypes::isoDate(v.toDate())); return;
        case QMetaType::QDateTime: resultText(ctx, jettypes::isoDate(v.toDateTime())); return;
        default: resultText(ctx, v.toString()); return;
    }
}

void error(sqlite3_context* ctx, const QString& message) {
    const QByteArray utf8 = message.toUtf8();
    sqlite3_result_error(ctx, utf8.constData(), int(utf8.size()));
}

const QString kTypeMismatch = QStringLiteral("Datentypen in Kriterienausdruck unverträglich.");

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

std::optional<QDateTime> dateArg(sqlite3_context* ctx, sqlite3_value* v) {
    auto dt = jetdate::fromVariant(arg(v));
    if (!dt) error(ctx, kTypeMismatch);
    return dt;
}

std::optional<double> numberArg(sqlite3_context* ctx, sqlite3_value* v) {
    auto d = jetformat::toNumber(arg(v));
    if (!d) error(ctx, kTypeMismatch);
    return d;
}

QString textArg(sqlite3_value* v) { return jetformat::toText(arg(v)); }

// Jet rounds CInt / CLng / Round halves to even.
double bankersRound(double x, int digits = 0) {
    const double scale = std::pow(10.0, digits);
    const double y = x * scale;
    double r = std::nearbyint(y);  // default rounding mode: to nearest, ties to even
    if (std::fabs(y - std::trunc(y)) != 0.5) r = std::round(y);
    return r / scale;
}

// ---- dates ----------------------------------------------------------------------------

void fnCDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto dt = dateArg(ctx, argv[0])) result(ctx, *dt);
}

void fnDateValue(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto dt = dateArg(ctx, argv[0])) result(ctx, dt->date());
}

void fnDateDiff(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(3, argv)) return sqlite3_result_null(ctx);
    const QString interval = textArg(argv[0]);
    const auto a = dateArg(ctx, argv[1]);
    if (!a) return;
    const auto b = dateArg(ctx, argv[2]);
    if (!b) return;
    const int firstDay = argc > 3 && sqlite3_value_type(argv[3]) != SQLITE_NULL ? sqlite3_value_int(argv[3]) : 1;
    if (auto n = jetdate::dateDiff(interval, *a, *b, firstDay == 0 ? 1 : firstDay)) sqlite3_result_int64(ctx, *n);
    else error(ctx, QStringLiteral("Ungültiges Intervall '%1' in DateDiff.").arg(interval));
}

void fnDateAdd(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const QString interval = textArg(argv[0]);
    const auto n = numberArg(ctx, argv[1]);
    if (!n) return;
    const auto d = dateArg(ctx, argv[2]);
    if (!d) return;
    if (auto r = jetdate::dateAdd(interval, *n, *d)) result(ctx, *r);
    else error(ctx, QStringLiteral("Ungültiges Intervall '%1' in DateAdd.").arg(interval));
}

void fnDatePart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(2, argv)) return sqlite3_result_null(ctx);
    const QString interval = textArg(argv[0]);
    const auto d = dateArg(ctx, argv[1]);
    if (!d) return;
    const int firstDay = argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL ? sqlite3_value_int(argv[2]) : 1;
    if (auto n = jetdate::datePart(interval, *d, firstDay == 0 ? 1 : firstDay)) sqlite3_result_int(ctx, *n);
    else error(ctx, QStringLiteral("Ungültiges Intervall '%1' in DatePart.").arg(interval));
}

template <int Part>
void fnDatePiece(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(1, argv)) return sqlite3_result_null(ctx);
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
            const int firstDay = argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL ? sqlite3_value_int(argv[1]) : 1;
            sqlite3_result_int(ctx, *jetdate::datePart(QStringLiteral("w"), *d, firstDay == 0 ? 1 : firstDay));
            break;
        }
    }
}

void fnDateSerial(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const int y = sqlite3_value_int(argv[0]), m = sqlite3_value_int(argv[1]), d = sqlite3_value_int(argv[2]);
    // Months and days outside their range roll over: DateSerial(2024, 13, 1) is 1 January 2025.
    const QDate first = QDate(y < 100 ? dates::expandYear(y) : y, 1, 1).addMonths(m - 1);
    result(ctx, first.addDays(d - 1));
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) {
    const QDateTime now = Clock::current().now();
    result(ctx, QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC));
}
void fnDate(sqlite3_context* ctx, int, sqlite3_value**) { result(ctx, Clock::current().today()); }
void fnTime(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, Clock::current().now().time().toString(QStringLiteral("HH:mm:ss")));
}

// ---- conversion and numbers -----------------------------------------------------------

void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const QString fmt = argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL ? textArg(argv[1]) : QString();
    result(ctx, jetformat::format(arg(argv[0]), fmt));
}

void fnCDbl(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_double(ctx, *d);
}

template <qint64 Min, qint64 Max>
void fnCInteger(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    const double r = bankersRound(*d);
    if (r < double(Min) || r > double(Max)) return error(ctx, QStringLiteral("Überlauf."));
    sqlite3_result_int64(ctx, qint64(r));
}

void fnCStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    resultText(ctx, textArg(argv[0]));
}

void fnCBool(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
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
        if (s[i].isDigit() && s[i].unicode() < 128) seenDigit = true;
        else if (s[i] == QLatin1Char('.') && !seenPoint) seenPoint = true;
        else break;
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
    if (d == std::trunc(d) && std::fabs(d) < 2e9) sqlite3_result_int64(ctx, qint64(d));
    else sqlite3_result_double(ctx, d);
}

void fnInt(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_int64(ctx, qint64(std::floor(*d)));
}

void fnFix(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_int64(ctx, qint64(std::trunc(*d)));
}

void fnRound(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    const int digits = argc > 1 ? sqlite3_value_int(argv[1]) : 0;
    sqlite3_result_double(ctx, bankersRound(*d, digits));
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) return sqlite3_result_value(ctx, argv[0]);
    if (argc > 1) return sqlite3_result_value(ctx, argv[1]);
    sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void fnIsNull(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? -1 : 0);
}

// The operands of \ and Mod: both rounded to whole numbers first, the divisor never zero.
// Nothing when the result is already set (Null, or an error).
std::optional<std::pair<qint64, qint64>> wholeOperands(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return std::nullopt;
    }
    const auto a = numberArg(ctx, argv[0]);
    if (!a) return std::nullopt;
    const auto b = numberArg(ctx, argv[1]);
    if (!b) return std::nullopt;
    const qint64 ia = qint64(bankersRound(*a)), ib = qint64(bankersRound(*b));
    if (ib == 0) {
        error(ctx, QStringLiteral("Division durch Null."));
        return std::nullopt;
    }
    return std::pair{ia, ib};
}

void fnIntDiv(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (const auto o = wholeOperands(ctx, argc, argv)) sqlite3_result_int64(ctx, o->first / o->second);
}

// ---- Jet's operators on mixed types ---------------------------------------------------

// A value as Jet's + and - see it: a stored date is ISO text, anything else numeric or text.
struct Operand {
    enum Kind { Null, Number, Date, Text } kind = Null;
    double number = 0;
    bool integral = false;  // an SQLite integer
    QDateTime date;
    QString text;
};

Operand operand(sqlite3_value* v) {
    Operand o;
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL: return o;
        case SQLITE_INTEGER:
            o.kind = Operand::Number;
            o.number = double(sqlite3_value_int64(v));
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
    if (d == std::trunc(d) && std::fabs(d) < 9e15) sqlite3_result_int64(ctx, qint64(d));
    else sqlite3_result_double(ctx, d);
}

// a + b: numbers add, a date plus a number of days is a date, two texts are joined.
void fnPlus(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const Operand a = operand(argv[0]), b = operand(argv[1]);
    if (a.kind == Operand::Null || b.kind == Operand::Null) return sqlite3_result_null(ctx);
    if (a.kind == Operand::Text && b.kind == Operand::Text) return resultText(ctx, a.text + b.text);
    const auto x = asNumber(a), y = asNumber(b);
    if (!x || !y) return error(ctx, kTypeMismatch);
    if (a.kind == Operand::Date || b.kind == Operand::Date) return result(ctx, jetdate::fromSerial(*x + *y));
    if (a.integral && b.integral) return sqlite3_result_int64(ctx, qint64(*x) + qint64(*y));
    sqlite3_result_double(ctx, *x + *y);
}

// a - b: a date minus days is a date, a date minus a date is the days between them.
void fnMinus(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const Operand a = operand(argv[0]), b = operand(argv[1]);
    if (a.kind == Operand::Null || b.kind == Operand::Null) return sqlite3_result_null(ctx);
    const auto x = asNumber(a), y = asNumber(b);
    if (!x || !y) return error(ctx, kTypeMismatch);
    if (a.kind == Operand::Date && b.kind != Operand::Date) return result(ctx, jetdate::fromSerial(*x - *y));
    if (a.integral && b.integral) return sqlite3_result_int64(ctx, qint64(*x) - qint64(*y));
    resultNumber(ctx, *x - *y);
}

void fnPow(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto a = numberArg(ctx, argv[0]);
    if (!a) return;
    const auto b = numberArg(ctx, argv[1]);
    if (!b) return;
    const double r = std::pow(*a, *b);
    if (std::isnan(r)) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    sqlite3_result_double(ctx, r);
}

// Mod rounds both operands to whole numbers first; the result takes the sign of the dividend.
void fnMod(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (const auto o = wholeOperands(ctx, argc, argv)) sqlite3_result_int64(ctx, o->first % o->second);
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
    if (argc % 2 != 0) return error(ctx, QStringLiteral("Falsche Anzahl an Argumenten für Switch."));
    for (int i = 0; i + 1 < argc; i += 2) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) continue;
        const auto d = numberArg(ctx, argv[i]);
        if (!d) return;
        if (*d != 0.0) return sqlite3_result_value(ctx, argv[i + 1]);
    }
    sqlite3_result_null(ctx);
}

// Choose(index, value1, value2, …): Null when the index is outside the list.
void fnChoose(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 2) return error(ctx, QStringLiteral("Falsche Anzahl an Argumenten für Choose."));
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    const qint64 i = qint64(std::trunc(*d));
    if (i < 1 || i >= argc) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, argv[i]);
}

void fnSgn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    if (auto d = numberArg(ctx, argv[0])) sqlite3_result_int(ctx, *d > 0 ? 1 : *d < 0 ? -1 : 0);
}

void fnSqr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
    const auto d = numberArg(ctx, argv[0]);
    if (!d) return;
    if (*d < 0) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
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
    if (anyNull(argc, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    const int code = sqlite3_value_int(argv[0]);
    if (code < 0 || code > 255) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    resultText(ctx, code == 128 ? QString(QChar(0x20AC)) : QString(QChar(code)));
}

void fnAsc(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    const QString s = textArg(argv[0]);
    if (s.isEmpty()) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    const char16_t c = s.front().unicode();
    sqlite3_result_int(ctx, c == 0x20AC ? 128 : int(c));
}

// StrComp(a, b[, compare]): -1, 0 or 1; compare 0 is binary, anything else ignores case.
void fnStrComp(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(2, argv)) return sqlite3_result_null(ctx);
    const QString a = textArg(argv[0]), b = textArg(argv[1]);
    const bool binary = argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL && sqlite3_value_int(argv[2]) == 0;
    const int r = binary ? QString::compare(a, b, Qt::CaseSensitive) : jettext::compare(a, b);
    sqlite3_result_int(ctx, r < 0 ? -1 : r > 0 ? 1 : 0);
}

void fnIsDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    const bool yes = type == SQLITE_TEXT && jetdate::fromText(textArg(argv[0])).has_value();
    sqlite3_result_int(ctx, yes ? -1 : 0);
}

void fnIsNumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    bool yes = type == SQLITE_INTEGER || type == SQLITE_FLOAT;
    if (type == SQLITE_TEXT) yes = jetformat::toNumber(QVariant(textArg(argv[0]))).has_value();
    sqlite3_result_int(ctx, yes ? -1 : 0);
}

void fnMonthName(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(1, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    const int m = sqlite3_value_int(argv[0]);
    if (m < 1 || m > 12) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    const bool abbreviate = argc > 1 && sqlite3_value_int(argv[1]) != 0;
    resultText(ctx, abbreviate ? dates::monthShort(m) : dates::monthName(m));
}

void fnWeekdayName(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(1, argv)) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
    const int w = sqlite3_value_int(argv[0]);
    if (w < 1 || w > 7) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    const bool abbreviate = argc > 1 && sqlite3_value_int(argv[1]) != 0;
    int firstDay = argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL ? sqlite3_value_int(argv[2]) : 1;
    if (firstDay < 1 || firstDay > 7) firstDay = 1;
    // Weekday number w counted from firstDay (1 = Sunday); 2 January 2000 was a Sunday.
    const QDate d = QDate(2000, 1, 2).addDays((w - 1 + firstDay - 1) % 7);
    resultText(ctx, abbreviate ? dates::weekdayShort(d) : dates::weekdayName(d));
}

// ---- text -----------------------------------------------------------------------------

void fnConcat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    QString s;
    bool allNull = true;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) continue;
        allNull = false;
        s += textArg(argv[i]);
    }
    // Null & Null is Null in Jet; anything else treats Null as empty text.
    if (allNull && argc > 0) return sqlite3_result_null(ctx);
    resultText(ctx, s);
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, int(textArg(argv[0]).size()));
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    resultText(ctx, textArg(argv[0]).left(qMax(0, sqlite3_value_int(argv[1]))));
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    resultText(ctx, textArg(argv[0]).right(qMax(0, sqlite3_value_int(argv[1]))));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const QString s = textArg(argv[0]);
    const int start = sqlite3_value_int(argv[1]);
    if (start < 1) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    const int length = argc > 2 ? sqlite3_value_int(argv[2]) : -1;
    resultText(ctx, s.mid(start - 1, length < 0 ? -1 : length));
}

template <int Mode>
void fnTrim(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    QString s = textArg(argv[0]);
    if (Mode != 2)
        while (s.startsWith(QLatin1Char(' '))) s.remove(0, 1);
    if (Mode != 1)
        while (s.endsWith(QLatin1Char(' '))) s.chop(1);
    resultText(ctx, s);
}

template <bool Upper>
void fnCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const QString s = textArg(argv[0]);
    resultText(ctx, Upper ? jettext::upper(s) : s.toLower());
}

void fnInStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int start = 1, first = 0;
    if (argc >= 3) {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return error(ctx, QStringLiteral("Ungültige Verwendung von Null."));
        start = sqlite3_value_int(argv[0]);
        first = 1;
    }
    if (sqlite3_value_type(argv[first]) == SQLITE_NULL || sqlite3_value_type(argv[first + 1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString hay = textArg(argv[first]);
    const QString needle = textArg(argv[first + 1]);
    if (start < 1) return error(ctx, QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument."));
    if (needle.isEmpty()) return sqlite3_result_int(ctx, start <= hay.size() ? start : 0);
    const qsizetype at = jettext::fold(hay).indexOf(jettext::fold(needle), start - 1);
    sqlite3_result_int(ctx, at < 0 ? 0 : int(at + 1));
}

void fnSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
    resultText(ctx, QString(qMax(0, sqlite3_value_int(argv[0])), QLatin1Char(' ')));
}

// ---- Like -----------------------------------------------------------------------------

struct LikeCache {
    QString pattern;
    QString folded;
};

void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    // SQLite calls like(pattern, value) for "value LIKE pattern".
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, like(textArg(argv[1]), textArg(argv[0])) ? 1 : 0);
    (void)argc;
}

void fnAdoPattern(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
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
    if (!st) return;
    if (st->set && !Last) return;
    if (st->set) sqlite3_value_free(st->value);
    st->value = sqlite3_value_dup(argv[0]);
    st->set = true;
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

struct Entry {
    const char* jetNames;  // comma-separated names the translator renames
    const char* sqlName;
    int nArg;              // -1 = any number
    Fn fn;
    bool deterministic;
};

const Entry kEntries[] = {
    {"CDate,CVDate", "jet_cdate", 1, fnCDate, true},
    {"DateValue", "jet_datevalue", 1, fnDateValue, true},
    {"DateDiff", "jet_datediff", -1, fnDateDiff, true},
    {"DateAdd", "jet_dateadd", 3, fnDateAdd, true},
    {"DatePart", "jet_datepart", -1, fnDatePart, true},
    {"DateSerial", "jet_dateserial", 3, fnDateSerial, true},
    {"Year", "jet_year", 1, fnDatePiece<0>, true},
    {"Month", "jet_month", 1, fnDatePiece<1>, true},
    {"Day", "jet_day", 1, fnDatePiece<2>, true},
    {"Hour", "jet_hour", 1, fnDatePiece<3>, true},
    {"Minute", "jet_minute", 1, fnDatePiece<4>, true},
    {"Second", "jet_second", 1, fnDatePiece<5>, true},
    {"Weekday", "jet_weekday", -1, fnDatePiece<6>, true},
    {"Now", "jet_now", 0, fnNow, false},
    {"Date,Date$", "jet_date", 0, fnDate, false},
    {"Time,Time$", "jet_time", 0, fnTime, false},
    {"Format,Format$", "jet_format", -1, fnFormat, true},
    {"CDbl,CSng,CCur,CDec", "jet_cdbl", 1, fnCDbl, true},
    {"CInt", "jet_cint", 1, fnCInteger<-32768, 32767>, true},
    {"CLng", "jet_clng", 1, fnCInteger<-2147483648LL, 2147483647LL>, true},
    {"CByte", "jet_cbyte", 1, fnCInteger<0, 255>, true},
    {"CStr", "jet_cstr", 1, fnCStr, true},
    {"CBool", "jet_cbool", 1, fnCBool, true},
    {"Val", "jet_val", 1, fnVal, true},
    {"Int", "jet_int", 1, fnInt, true},
    {"Fix", "jet_fix", 1, fnFix, true},
    {"Round", "jet_round", -1, fnRound, true},
    {"Nz", "jet_nz", -1, fnNz, true},
    {"IsNull", "jet_isnull", 1, fnIsNull, true},
    {"Len", "jet_len", 1, fnLen, true},
    {"Left,Left$", "jet_left", 2, fnLeft, true},
    {"Right,Right$", "jet_right", 2, fnRight, true},
    {"Mid,Mid$", "jet_mid", -1, fnMid, true},
    {"Trim,Trim$", "jet_trim", 1, fnTrim<0>, true},
    {"LTrim,LTrim$", "jet_ltrim", 1, fnTrim<1>, true},
    {"RTrim,RTrim$", "jet_rtrim", 1, fnTrim<2>, true},
    {"UCase,UCase$", "jet_ucase", 1, fnCase<true>, true},
    {"LCase,LCase$", "jet_lcase", 1, fnCase<false>, true},
    {"InStr", "jet_instr", -1, fnInStr, true},
    {"Space,Space$", "jet_space", 1, fnSpace, true},
    {"IIf", "jet_iif", 3, fnIIf, true},
    {"Switch", "jet_switch", -1, fnSwitch, true},
    {"Choose", "jet_choose", -1, fnChoose, true},
    {"Sgn", "jet_sgn", 1, fnSgn, true},
    {"Sqr", "jet_sqr", 1, fnSqr, true},
    {"Str,Str$", "jet_str", 1, fnStr, true},
    {"Chr,Chr$", "jet_chr", 1, fnChr, true},
    {"Asc", "jet_asc", 1, fnAsc, true},
    {"StrComp", "jet_strcomp", -1, fnStrComp, true},
    {"IsDate", "jet_isdate", 1, fnIsDate, true},
    {"IsNumeric", "jet_isnumeric", 1, fnIsNumeric, true},
    {"MonthName", "jet_monthname", -1, fnMonthName, true},
    {"WeekdayName", "jet_weekdayname", -1, fnWeekdayName, true},
    // Written by the translator only, for Jet's operators:
    {"", "jet_concat", -1, fnConcat, true},
    {"", "jet_intdiv", 2, fnIntDiv, true},
    {"", "jet_mod", 2, fnMod, true},
    {"", "jet_pow", 2, fnPow, true},
    {"", "jet_plus", 2, fnPlus, true},
    {"", "jet_plus_date", 2, fnPlus, true},
    {"", "jet_plus_text", 2, fnPlus, true},
    {"", "jet_minus", 2, fnMinus, true},
    {"", "jet_minus_date", 2, fnMinus, true},
    {"", "jet_minus_days", 2, fnMinus, true},
    {"", "jet_adopattern", 1, fnAdoPattern, true},
};

const QHash<QString, QString>& renames() {
    static const QHash<QString, QString> map = [] {
        QHash<QString, QString> m;
        for (const Entry& e : kEntries)
            for (const QString& n : QString::fromLatin1(e.jetNames).split(QLatin1Char(','), Qt::SkipEmptyParts))
                m.insert(n.toLower(), QString::fromLatin1(e.sqlName));
        m.insert(QStringLiteral("first"), QStringLiteral("jet_first"));
        m.insert(QStringLiteral("last"), QStringLiteral("jet_last"));
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
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            if (items.isEmpty() || items.back().kind != PatternItem::Any) items.push_back({PatternItem::Any, {}, {}, false});
        } else if (c == QLatin1Char('?')) {
            items.push_back({PatternItem::One, {}, {}, false});
        } else if (c == QLatin1Char('#')) {
            items.push_back({PatternItem::Digit, {}, {}, false});
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {  // an open bracket without end is taken literally
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

}  // namespace

bool like(const QString& valueIn, const QString& patternIn) {
    const QString value = jettext::fold(valueIn);
    const QList<PatternItem> items = compile(jettext::fold(patternIn));
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

QString adoPattern(const QString& pattern) {
    QString out;
    for (QChar c : pattern) {
        if (c == QLatin1Char('%')) out += QLatin1Char('*');
        else if (c == QLatin1Char('_')) out += QLatin1Char('?');
        else if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#'))
            out += QLatin1Char('[') + c + QLatin1Char(']');
        else out += c;
    }
    return out;
}

QString sqlName(const QString& jetName) { return renames().value(jetName.toLower()); }

void registerAll(sqlite3* db) {
    sqlite3_create_collation_v2(db, jettext::kCollation, SQLITE_UTF8, nullptr, collate, nullptr);
    for (const Entry& e : kEntries) {
        const int flags = SQLITE_UTF8 | (e.deterministic ? SQLITE_DETERMINISTIC : 0);
        sqlite3_create_function_v2(db, e.sqlName, e.nArg, flags, nullptr, e.fn, nullptr, nullptr, nullptr);
    }
    sqlite3_create_function_v2(db, "jet_first", 1, SQLITE_UTF8, nullptr, nullptr, stepFirstLast<false>,
                               finalFirstLast, nullptr);
    sqlite3_create_function_v2(db, "jet_last", 1, SQLITE_UTF8, nullptr, nullptr, stepFirstLast<true>,
                               finalFirstLast, nullptr);
    // Jet's Like replaces SQLite's on every connection (case folding with umlauts, * ? # [..]).
    sqlite3_create_function_v2(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, fnLike, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, fnLike, nullptr, nullptr,
                               nullptr);
}

}  // namespace tav::sqlfunctions
