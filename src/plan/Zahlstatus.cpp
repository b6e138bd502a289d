#include "plan/Zahlstatus.h"

#include "data/Betrag.h"
#include "data/Database.h"

namespace tav {

Zahlstatus zahlstatusDerBuchung(Database& db, int buchungId) {
    Recordset b = db.openRecordset(
        QStringLiteral("SELECT tblBelegung.Abgerechnet, tblBelegung.IST_Geteilt FROM tblBelegung WHERE tblBelegung.ID = ?"),
        {buchungId});
    if (b.eof()) return Zahlstatus::KeineBuchung;
    const bool geteilt = b.text(QStringLiteral("IST_Geteilt")) == QLatin1String("Y");
    if (!geteilt && b.integer(QStringLiteral("Abgerechnet")) != 1) return Zahlstatus::Offen;

    const QVariant offenePosten = db.scalar(
        QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE tbRePosten.IDBelegung = ? "
                       "AND (tbRePosten.AbgerechnetPo Is Null OR tbRePosten.AbgerechnetPo <> 'Ja')"),
        {buchungId});
    if (offenePosten.toInt() > 0) return Zahlstatus::Offen;

    Recordset re = db.openRecordset(
        QStringLiteral("SELECT DISTINCT tbRechnungen.ReNummer, tbRechnungen.BetragBrutto "
                       "FROM tbRechnungen INNER JOIN tbRechnungen_zu_Posten ON tbRechnungen.ReNummer = tbRechnungen_zu_Posten.IDRechnung "
                       "WHERE tbRechnungen.IST_Rechnung = 'R' AND (tbRechnungen_zu_Posten.IDBelegung = ? "
                       "OR tbRechnungen_zu_Posten.IDPostenRe IN (SELECT tbRePosten.IDRePosten FROM tbRePosten WHERE tbRePosten.IDBelegung = ?))"),
        {buchungId, buchungId});
    if (re.eof()) return Zahlstatus::Offen;
    for (; !re.eof(); re.moveNext()) {
        const QVariant gezahlt = db.scalar(QStringLiteral("SELECT Sum(tbZahlung.Betrag) FROM tbZahlung WHERE tbZahlung.IdRechnung = ?"),
                                           {re.integer(QStringLiteral("ReNummer"))});
        const double offen = re.number(QStringLiteral("BetragBrutto")) - gezahlt.toDouble();
        if (betrag::format(offen) != QLatin1String("0,00")) return Zahlstatus::Offen;
    }
    return Zahlstatus::Bezahlt;
}

}  // namespace tav
