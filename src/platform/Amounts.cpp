#include "platform/Amounts.h"

#include <QLocale>
#include <cmath>

namespace tav::amounts {

QString format(double amount) {
    static const QLocale german(QLocale::German, QLocale::Germany);
    // Round half away from zero to cents first, as the Format function did.
    const double cents = std::round(amount * 100.0) / 100.0;
    QString s = german.toString(cents == 0.0 ? 0.0 : cents, 'f', 2);
    return s;
}

bool isCount(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

std::optional<double> parse(const QString& input) {
    QString s = input.trimmed();
    s.remove(QChar(0x20AC));  // €
    s = s.trimmed();
    if (s.isEmpty()) return std::nullopt;
    bool negative = false;
    if (s.startsWith(QLatin1Char('-'))) {
        negative = true;
        s.remove(0, 1);
    }
    for (QChar c : s)
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char(',')) return std::nullopt;
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        if (s.indexOf(QLatin1Char(','), comma + 1) >= 0) return std::nullopt;
        QString whole = s.left(comma);
        // Thousands points must stand every three digits.
        if (whole.contains(QLatin1Char('.'))) {
            const QStringList groups = whole.split(QLatin1Char('.'));
            for (qsizetype i = 1; i < groups.size(); ++i)
                if (groups[i].size() != 3) return std::nullopt;
            if (groups[0].isEmpty() || groups[0].size() > 3) return std::nullopt;
            whole.remove(QLatin1Char('.'));
        }
        bool ok = false;
        const double v = (whole + QLatin1Char('.') + s.mid(comma + 1)).toDouble(&ok);
        if (!ok) return std::nullopt;
        return negative ? -v : v;
    }
    if (s.count(QLatin1Char('.')) > 1 || s.endsWith(QLatin1Char('.')) ||
        (s.contains(QLatin1Char('.')) && s.size() - s.indexOf(QLatin1Char('.')) - 1 == 3)) {
        // "1.234" or "1.234.567": thousands points
        const QStringList groups = s.split(QLatin1Char('.'));
        for (qsizetype i = 1; i < groups.size(); ++i)
            if (groups[i].size() != 3) return std::nullopt;
        s.remove(QLatin1Char('.'));
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok) return std::nullopt;
    return negative ? -v : v;
}

}  // namespace tav::amounts
