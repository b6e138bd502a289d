#include "engine/JetFormat.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>

#include "engine/JetDate.h"
#include "engine/JetText.h"
#include "platform/Dates.h"

namespace tav::jetformat {

namespace {

const QLocale& german() {
    static const QLocale l(QLocale::German, QLocale::Germany);
    return l;
}

bool isNumberType(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Bool: return true;
        default: return false;
    }
}

QString numberText(double d) {
    if (d == std::trunc(d) && std::fabs(d) < 1e15) return QString::number(qlonglong(d));
    QString s = QString::number(d, 'g', 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

// ---- number formats -------------------------------------------------------------------

QString formatNumberSection(double value, const QString& section) {
    // Split into literal prefix, the digit pattern, and literal suffix; handle quotes and "\".
    QString prefix, suffix, pattern;
    bool inPattern = false, afterPattern = false, percent = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        QString literal;
        bool isLiteral = false;
        if (c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            literal = section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
            i = end < 0 ? section.size() : end;
            isLiteral = true;
        } else if (c == QLatin1Char('\\') && i + 1 < section.size()) {
            literal = section[++i];
            isLiteral = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('.') || c == QLatin1Char(',')) {
            if (afterPattern) {
                suffix += c;
                continue;
            }
            inPattern = true;
            pattern += c;
            continue;
        } else {
            if (c == QLatin1Char('%')) percent = true;
            literal = c;
            isLiteral = true;
        }
        if (isLiteral) {
            if (inPattern) afterPattern = true;
            (afterPattern ? suffix : prefix) += literal;
        }
    }
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString intPart = point < 0 ? pattern : pattern.left(point);
    const QString fracPart = point < 0 ? QString() : pattern.mid(point + 1);
    const int minFrac = int(fracPart.count(QLatin1Char('0')));
    const int maxFrac = int(fracPart.count(QLatin1Char('0')) + fracPart.count(QLatin1Char('#')));
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const bool grouping = intPart.contains(QLatin1Char(','));
    // A comma directly before the point scales by 1000 in Jet; not used by the program.

    // Rounding past 15 decimals changes nothing in a Double (and 10^maxFrac may not fit one).
    const double scale = std::pow(10.0, qMin(maxFrac, 15));
    QString digits;
    bool negative = value < 0;
    if (std::fabs(value) * (percent ? 100.0 : 1.0) < 1e15) {
        if (percent) value *= 100.0;
        // Round half away from zero, guarding against binary representation (2.675 -> 2.68).
        const double rounded = std::round(std::fabs(value) * scale + 1e-9) / scale;
        negative = value < 0 && rounded != 0.0;
        digits = QString::number(rounded, 'f', maxFrac);
    } else {
        // A number this large has no fraction left to round: its 15 significant digits, then
        // zeros (a percentage gets two more), as Jet shows them; never a scaled infinity.
        const QString e = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde+xxx
        const qsizetype mark = e.indexOf(QLatin1Char('e'));
        QString whole = e.left(1) + e.mid(2, mark - 2);
        const int exponent = e.mid(mark + 1).toInt() + (percent ? 2 : 0);
        if (whole.size() < exponent + 1) whole += QString(exponent + 1 - whole.size(), QLatin1Char('0'));
        digits = maxFrac > 0 ? whole + QLatin1Char('.') + QString(maxFrac, QLatin1Char('0')) : whole;
    }
    QString whole = digits, frac;
    if (const qsizetype p = digits.indexOf(QLatin1Char('.')); p >= 0) {
        whole = digits.left(p);
        frac = digits.mid(p + 1);
    }
    while (frac.size() > minFrac && frac.endsWith(QLatin1Char('0'))) frac.chop(1);
    if (whole == QLatin1String("0") && minInt == 0) whole.clear();
    while (whole.size() < minInt) whole.prepend(QLatin1Char('0'));
    if (grouping && whole.size() > 3) {
        QString g;
        for (qsizetype i = 0; i < whole.size(); ++i) {
            if (i > 0 && (whole.size() - i) % 3 == 0) g += QLatin1Char('.');
            g += whole[i];
        }
        whole = g;
    }
    QString out = whole;
    if (!frac.isEmpty() || (point >= 0 && minFrac > 0))
        out += QLatin1Char(',') + frac;
    else if (point >= 0 && maxFrac > 0 && frac.isEmpty())
        out += QLatin1Char(',');
    return (negative ? QStringLiteral("-") : QString()) + prefix + out + suffix;
}

QString formatNumber(double value, const QString& fmt) {
    const QStringList sections = fmt.split(QLatin1Char(';'));
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty()) return formatNumberSection(-value, sections[1]);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty()) return formatNumberSection(0, sections[2]);
    return formatNumberSection(value, sections[0]);
}

// ---- date formats ---------------------------------------------------------------------

bool looksLikeDateFormat(const QString& fmt) {
    const QString f = fmt.toLower();
    for (QChar c : f)
        if (c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y') || c == QLatin1Char('h') || c == QLatin1Char('n') ||
            c == QLatin1Char('s') || c == QLatin1Char('w') || c == QLatin1Char('q'))
            return true;
    return false;
}

qsizetype runLength(const QString& f, qsizetype i, QChar c) {
    qsizetype n = 0;
    while (i + n < f.size() && f[i + n].toLower() == c) ++n;
    return n;
}

QString two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

QString formatDate(const QDateTime& dt, const QString& fmt) {
    const QDate d = dt.date();
    const QTime t = dt.time();
    const bool ampm = fmt.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive);
    QString out;
    bool lastWasHour = false;
    for (qsizetype i = 0; i < fmt.size();) {
        const QChar c = fmt[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype end = fmt.indexOf(QLatin1Char('"'), i + 1);
            out += fmt.mid(i + 1, (end < 0 ? fmt.size() : end) - i - 1);
            i = end < 0 ? fmt.size() : end + 1;
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < fmt.size()) {
            out += fmt[i + 1];
            i += 2;
            continue;
        }
        if (fmt.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        const qsizetype n = runLength(fmt, i, lc);
        if (lc == QLatin1Char('d')) {
            if (n == 1)
                out += QString::number(d.day());
            else if (n == 2)
                out += two(d.day());
            else if (n == 3)
                out += dates::weekdayShort(d);
            else if (n == 4)
                out += dates::weekdayName(d);
            else
                out += dates::longDate(d);  // ddddd: short date
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('m')) {
            // "m" after an hour means minutes, as in Jet.
            if (lastWasHour && n <= 2) {
                out += n == 1 ? QString::number(t.minute()) : two(t.minute());
            } else if (n == 1)
                out += QString::number(d.month());
            else if (n == 2)
                out += two(d.month());
            else if (n == 3)
                out += dates::monthShort(d.month());
            else
                out += dates::monthName(d.month());
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('y')) {
            if (n >= 3)
                out += QString::number(d.year());
            else if (n == 2)
                out += two(d.year() % 100);
            else
                out += QString::number(d.dayOfYear());
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('w')) {
            if (n >= 2)
                out += QString::number(jetdate::weekOfYear(d));
            else
                out += QString::number(jetdate::weekday(d));
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('q')) {
            out += QString::number((d.month() - 1) / 3 + 1);
            i += 1;
            lastWasHour = false;
        } else if (lc == QLatin1Char('h')) {
            int h = t.hour();
            if (ampm) h = h % 12 == 0 ? 12 : h % 12;
            out += n >= 2 ? two(h) : QString::number(h);
            i += n;
            lastWasHour = true;
        } else if (lc == QLatin1Char('n')) {
            out += n >= 2 ? two(t.minute()) : QString::number(t.minute());
            i += n;
            lastWasHour = false;
        } else if (lc == QLatin1Char('s')) {
            out += n >= 2 ? two(t.second()) : QString::number(t.second());
            i += n;
            lastWasHour = false;
        } else if (c == QLatin1Char('/')) {
            out += QLatin1Char('.');
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString namedFormat(const QVariant& value, const QString& name, bool& handled) {
    handled = true;
    const QString n = name.toLower();
    if (n == QLatin1String("short date")) {
        if (auto dt = jetdate::fromVariant(value)) return dates::longDate(dt->date());
    } else if (n == QLatin1String("long date")) {
        if (auto dt = jetdate::fromVariant(value))
            return dates::weekdayName(dt->date()) + QStringLiteral(", ") + QString::number(dt->date().day()) + QStringLiteral(". ") +
                   dates::monthName(dt->date().month()) + QLatin1Char(' ') + QString::number(dt->date().year());
    } else if (n == QLatin1String("short time")) {
        if (auto dt = jetdate::fromVariant(value)) return dt->time().toString(QStringLiteral("HH:mm"));
    } else if (n == QLatin1String("long time")) {
        if (auto dt = jetdate::fromVariant(value)) return dt->time().toString(QStringLiteral("HH:mm:ss"));
    } else if (n == QLatin1String("general date")) {
        return toText(value);
    } else if (n == QLatin1String("fixed")) {
        if (auto d = toNumber(value)) return formatNumber(*d, QStringLiteral("0.00"));
    } else if (n == QLatin1String("standard")) {
        if (auto d = toNumber(value)) return formatNumber(*d, QStringLiteral("#,##0.00"));
    } else if (n == QLatin1String("currency") || n == QLatin1String("euro")) {
        if (auto d = toNumber(value)) return formatNumber(*d, QStringLiteral("#,##0.00")) + QStringLiteral(" €");
    } else if (n == QLatin1String("percent")) {
        if (auto d = toNumber(value)) return formatNumber(*d, QStringLiteral("0.00%"));
    } else if (n == QLatin1String("yes/no")) {
        if (auto d = toNumber(value)) return *d != 0 ? QStringLiteral("Ja") : QStringLiteral("Nein");
    } else if (n == QLatin1String("true/false")) {
        if (auto d = toNumber(value)) return *d != 0 ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    } else if (n == QLatin1String("on/off")) {
        if (auto d = toNumber(value)) return *d != 0 ? QStringLiteral("Ein") : QStringLiteral("Aus");
    } else {
        handled = false;
        return {};
    }
    return toText(value);
}

}  // namespace

std::optional<double> toNumber(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return std::nullopt;
    if (isNumberType(value)) {
        if (value.typeId() == QMetaType::Bool) return value.toBool() ? -1.0 : 0.0;
        return value.toDouble();
    }
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return jetdate::toSerial(*jetdate::fromVariant(value));
    // No number is written with more than a few hundred characters: longer text is no number
    // (and is not scanned twice over by the locale's parser).
    if (value.typeId() == QMetaType::QString && value.toString().size() > 1024) return std::nullopt;
    QString s = value.toString().trimmed();
    s.remove(QChar(0x20AC));
    s = s.trimmed();
    if (s.isEmpty()) return std::nullopt;
    bool ok = false;
    const double d = german().toDouble(s, &ok);
    if (ok) return d;
    QString plain = s;
    plain.remove(QLatin1Char('.'));
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    const double p = plain.toDouble(&ok);
    if (ok) return p;
    return std::nullopt;
}

QString toText(const QVariant& value) {
    if (value.isNull() || !value.isValid()) return {};
    switch (value.typeId()) {
        case QMetaType::Bool: return value.toBool() ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
        case QMetaType::Double:
        case QMetaType::Float: return numberText(value.toDouble());
        case QMetaType::QDate: return dates::longDate(value.toDate());
        case QMetaType::QDateTime: {
            const QDateTime dt = value.toDateTime();
            if (dt.time() == QTime(0, 0)) return dates::longDate(dt.date());
            return dates::longDate(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
        }
        default: return value.toString();
    }
}

QVariant format(const QVariant& value, const QString& fmt) {
    if (value.isNull() || !value.isValid()) return QVariant();
    if (fmt.isEmpty()) return toText(value);
    if (fmt == QLatin1String("<")) return toText(value).toLower();
    if (fmt == QLatin1String(">")) return jettext::upper(toText(value));
    bool handled = false;
    const QString named = namedFormat(value, fmt, handled);
    if (handled) return named;

    const bool dateFormat = looksLikeDateFormat(fmt) && !fmt.contains(QLatin1Char('0')) && !fmt.contains(QLatin1Char('#'));
    if (dateFormat) {
        if (auto dt = jetdate::fromVariant(value)) return formatDate(*dt, fmt);
        return toText(value);
    }
    if (auto d = toNumber(value)) return formatNumber(*d, fmt);
    return toText(value);
}

}  // namespace tav::jetformat
