#include "engine/SqlText.h"

namespace tav::sqltext {

QString date(const QDate& d) { return QLatin1Char('#') + d.toString(QStringLiteral("MM-dd-yyyy")) + QLatin1Char('#'); }

QString cdate(const QDate& d) { return QStringLiteral("CDate(") + quotedGermanDate(d) + QLatin1Char(')'); }

QString quotedGermanDate(const QDate& d) { return QLatin1Char('\'') + d.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('\''); }

QString amount(double value) {
    // 'g' with 15 significant digits never uses a locale and drops trailing zeros.
    QString s = QString::number(value, 'g', 15);
    if (s.contains(QLatin1Char('e'))) s = QString::number(value, 'f', 10);
    return s;
}

QString text(const QString& s) {
    QString q = s;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

}  // namespace tav::sqltext
