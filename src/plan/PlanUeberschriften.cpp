#include "plan/PlanUeberschriften.h"

#include "engine/Database.h"
#include "platform/Dialogs.h"
#include "store/Parameter.h"

namespace tav {

QStringList PlanUeberschriften::auswahl(int feld) {
    if (feld == 1) return {QStringLiteral("Anzahl Personen"), QStringLiteral("Reserviert von:"), QStringLiteral("Reserviert als:")};
    return {QStringLiteral("Zimmer"), QStringLiteral("Appartment"), QStringLiteral("Haus")};
}

QString PlanUeberschriften::lesen(int feld) const { return Parameter(db_).columnLabel(QStringLiteral("F%1").arg(feld)); }

void PlanUeberschriften::setzen(int feld, const QString& text) { Parameter(db_).write(QStringLiteral("Beschriftungen"), {{feld, text}}); }

std::optional<QString> PlanUeberschriften::neueBezeichnung(int feld) {
    const QString t = dialogs_.input(QStringLiteral("Bitte geben Sie die neue Bezeichnung ein."), {}, lesen(feld));
    if (t.trimmed().isEmpty()) return std::nullopt;
    if (t.contains(QLatin1Char(';'))) {
        dialogs_.message(QStringLiteral("Bitte verwenden Sie in der Bezeichnung kein Semikolon ';'."));
        return std::nullopt;
    }
    if (t.contains(QLatin1Char('~'))) {
        dialogs_.message(QStringLiteral("Bitte verwenden Sie in der Bezeichnung keine Tilde '~'."));
        return std::nullopt;
    }
    setzen(feld, t);
    return t;
}

QString PlanUeberschriften::legendenHilfe(const QString& legendeUeberschrift) {
    return QStringLiteral("Wählen Sie vor Anlegen einer neuen Reservierung '") + legendeUeberschrift + QStringLiteral("' aus.");
}

}  // namespace tav
