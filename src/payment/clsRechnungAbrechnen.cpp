#include "payment/clsRechnungAbrechnen.h"

#include "engine/Database.h"
#include "payment/Zahlungen.h"

namespace tav {

bool clsRechnungAbrechnen::RechnungIstAbgerechnet(int reNummer) const {
    const QString nr = QString::number(reNummer);
    const int links = db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDRechnung = ") + nr).toInt();
    if (links == 0) return false;
    const int offeneBelegungen =
        db_.scalar(
               QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten INNER JOIN tblBelegung ON tbRechnungen_zu_Posten.IDBelegung = "
                              "tblBelegung.ID WHERE tbRechnungen_zu_Posten.IDRechnung = ") +
               nr + QStringLiteral(" AND (tblBelegung.Abgerechnet Is Null OR tblBelegung.Abgerechnet <> 1)"))
            .toInt();
    const int offenePosten =
        db_.scalar(
               QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten ON tbRechnungen_zu_Posten.IDPostenRe = "
                              "tbRePosten.IDRePosten WHERE tbRechnungen_zu_Posten.IDRechnung = ") +
               nr + QStringLiteral(" AND (tbRePosten.AbgerechnetPo Is Null OR tbRePosten.AbgerechnetPo <> 'Ja')"))
            .toInt();
    return offeneBelegungen == 0 && offenePosten == 0;
}

QString clsRechnungAbrechnen::RechnungZahlart(int reNummer) const {
    return db_.scalar(QStringLiteral("SELECT Zahlart FROM tbRechnungen WHERE ReNummer = ?"), {reNummer}).toString();
}

bool clsRechnungAbrechnen::RechnungBezahlt(int reNummer) const {
    return !db_.scalar(QStringLiteral("SELECT BezahltDatumRe FROM tbRechnungen WHERE ReNummer = ?"), {reNummer}).isNull();
}

geld::Cent clsRechnungAbrechnen::Bezahlen(bool loeschen, const QDate& datum, const QString& zahlart, int reNummer, int belegung,
                                          geld::Cent betrag) {
    return Zahlungen(db_).bezahlen(loeschen, datum, zahlart, reNummer, belegung, betrag);
}

QString clsRechnungAbrechnen::BisHerigeZahlungen(int belegung) const { return Zahlungen(db_).bisherigeZahlungen(belegung); }

QString clsRechnungAbrechnen::BisHerigeZahlungenProRechnung(int reNummer, geld::Cent* summe) const {
    return Zahlungen(db_).bisherigeZahlungenProRechnung(reNummer, summe);
}

QString clsRechnungAbrechnen::AlleIDBelegungenEinerRechnung(int reNummer) const {
    QList<int> ids;
    const QString nr = QString::number(reNummer);
    // Master first (True is -1), then the other members, then bookings outside a block.
    for (
        Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT tbRechnungen_zu_Posten.IDBelegung, tbBlockbuchung.Master FROM tbRechnungen_zu_Posten LEFT JOIN "
                           "tbBlockbuchung ON tbRechnungen_zu_Posten.IDBelegung = tbBlockbuchung.IDBelegung WHERE "
                           "tbRechnungen_zu_Posten.IDRechnung = ") +
            nr +
            QStringLiteral(
                " AND tbRechnungen_zu_Posten.IDBelegung Is Not Null ORDER BY Nz(tbBlockbuchung.Master, 0), tbRechnungen_zu_Posten.IDBelegung"));
        !rs.eof(); rs.moveNext())
        if (!ids.contains(rs.integer(QStringLiteral("IDBelegung")))) ids << rs.integer(QStringLiteral("IDBelegung"));
    for (Recordset rs =
             db_.openRecordset(QStringLiteral("SELECT tbRePosten.IDBelegung FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten ON "
                                              "tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten WHERE "
                                              "tbRechnungen_zu_Posten.IDRechnung = ") +
                               nr + QStringLiteral(" AND tbRePosten.IST_Belegung = 'Y' ORDER BY tbRePosten.IDBelegung"));
         !rs.eof(); rs.moveNext())
        if (!ids.contains(rs.integer(QStringLiteral("IDBelegung")))) ids << rs.integer(QStringLiteral("IDBelegung"));
    return ids.isEmpty() ? QString() : Zahlungen::liste(ids);
}

}  // namespace tav
