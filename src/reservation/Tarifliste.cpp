#include "reservation/Tarifliste.h"

#include "engine/Database.h"
#include "engine/JetFormat.h"
#include "platform/Amounts.h"
#include "platform/Dialogs.h"

namespace tav {

QStringList Tarifliste::fuellen() const {
    QStringList out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT CDbl([tblTarife].[Tarif]) AS dTarif From tblTarife ") +
                                          QStringLiteral(" ORDER BY CDbl([tblTarife].[Tarif])"));
         !rs.eof(); rs.moveNext())
        out << jetformat::format(rs.value(QStringLiteral("dTarif")), QStringLiteral("###,##0.00")).toString();
    return out;
}

bool Tarifliste::tasteErlaubt(QChar taste, const QString& text) {
    if (taste.isDigit() || taste == QChar(0x08)) return true;
    return taste == QLatin1Char(',') && !text.contains(QLatin1Char(','));
}

QString Tarifliste::formatiert(const QString& wert) {
    const std::optional<double> zahl = amounts::parse(wert.trimmed());
    if (!zahl) return {};
    return jetformat::format(*zahl, QStringLiteral("###,##0.00")).toString();
}

bool Tarifliste::enter(const QString& wert) {
    const QString text = formatiert(wert);
    if (text.isEmpty()) return false;
    // Compared in the stored form, so that "80" finds "80,00".
    if (!db_.openRecordset(QStringLiteral("SELECT tblTarife.Tarif From tblTarife WHERE (((tblTarife.Tarif) like ? )); "), {text}).eof())
        return false;
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT tblTarife.Tarif From tblTarife"));
    rs.addNew();
    rs.setValue(QStringLiteral("Tarif"), text);
    rs.update();
    return true;
}

bool Tarifliste::entfernen(const QString& wert) {
    const QString text = formatiert(wert);
    if (text.isEmpty() || !fuellen().contains(text)) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"), QStringLiteral("Listeneinträge löschen"),
                         Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    return db_.execute(QStringLiteral("DELETE * FROM tblTarife WHERE format(tblTarife.Tarif, '###,##0.00')= ? "), {text}) > 0;
}

QString Tarifliste::verlassen(const QString& wert) { return wert.trimmed().isEmpty() ? amounts::format(0) : wert; }

}  // namespace tav
