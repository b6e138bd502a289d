#include "store/Zahlstatus.h"

#include <cmath>

#include "engine/Database.h"

namespace tav {

bool belegungBezahlt(Database& db, int belegungId) {
    const QString id = QString::number(belegungId);
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT Abgerechnet, IST_Geteilt FROM tblBelegung WHERE ID = ") + id);
        if (rs.eof()) return false;
        // A split booking keeps its own state out of the invoices; its items carry it.
        const bool geteilt = rs.text(QStringLiteral("IST_Geteilt")) == QLatin1String("Y");
        if (!geteilt && rs.integer(QStringLiteral("Abgerechnet")) != 1) return false;
    }
    const QVariant offenePosten = db.scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE IDBelegung = ") + id +
                                            QStringLiteral(" AND (AbgerechnetPo Is Null OR AbgerechnetPo <> 'Ja')"));
    if (offenePosten.toInt() > 0) return false;

    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT DISTINCT tbRechnungen.ReNummer, tbRechnungen.BetragBrutto FROM tbRechnungen INNER JOIN "
                       "tbRechnungen_zu_Posten ON tbRechnungen.ReNummer = tbRechnungen_zu_Posten.IDRechnung "
                       "WHERE tbRechnungen.IST_Rechnung = 'R' AND (tbRechnungen_zu_Posten.IDBelegung = ") +
        id + QStringLiteral(" OR tbRechnungen_zu_Posten.IDPostenRe IN (SELECT IDRePosten FROM tbRePosten WHERE IDBelegung = ") + id +
        QStringLiteral("))"));
    bool eineRechnung = false;
    for (; !rs.eof(); rs.moveNext()) {
        eineRechnung = true;
        const QString nr = QString::number(rs.value(QStringLiteral("ReNummer")).toLongLong());
        const double gezahlt = db.scalar(QStringLiteral("SELECT Nz(Sum(Betrag), 0) FROM tbZahlung WHERE IdRechnung = ") + nr).toDouble();
        const double offen = rs.number(QStringLiteral("BetragBrutto")) - gezahlt;
        if (std::llround(offen * 100.0) != 0) return false;  // the open amount does not read "0,00"
    }
    return eineRechnung;
}

Zahlstatus zahlstatusDerBuchung(Database& db, int buchungId) {
    if (db.openRecordset(QStringLiteral("SELECT ID FROM tblBelegung WHERE ID = ?"), {buchungId}).eof()) return Zahlstatus::KeineBuchung;
    return belegungBezahlt(db, buchungId) ? Zahlstatus::Bezahlt : Zahlstatus::Offen;
}

}  // namespace tav
