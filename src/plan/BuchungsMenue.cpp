#include "plan/BuchungsMenue.h"

#include "engine/Database.h"
#include "platform/Dialogs.h"
#include "store/Fenster.h"

namespace tav {

QString BuchungsMenue::rechnungsText(bool angebot) { return angebot ? QStringLiteral("A&ngebot") : QStringLiteral("R&echnungen"); }

bool BuchungsMenue::angebotOderWartend(int buchungId) {
    Recordset rs =
        db_.openRecordset(QStringLiteral(" SELECT tblBelegung.ID, tblBelegung.Gelöscht, Format([tbBelegArten].[BelegungsArt],'<') AS Ausdr1"
                                         " FROM tblBelegung INNER JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID "
                                         " WHERE (((tblBelegung.ID)=?) AND ((tblBelegung.Gelöscht)=True)) "
                                         " OR (((tblBelegung.ID)=?) "
                                         " AND ((Format([tbBelegArten].[BelegungsArt],'<')) Like 'angebot'))"),
                          {buchungId, buchungId});
    return !rs.eof();
}

bool BuchungsMenue::checkIn(int buchungId) {
    if (angebotOderWartend(buchungId)) {
        dialogs_.message(QStringLiteral("Die Reservierung ist als Angebot gekennzeichnet, deshalb ist ein 'Check in' nicht möglich."));
        return false;
    }
    db_.execute(QStringLiteral("UPDATE tblBelegung SET tblBelegung.Checked = true WHERE (((tblBelegung.ID)= ?));"), {buchungId});
    return true;
}

BuchungsMenue::CheckOut BuchungsMenue::checkOut(int buchungId) {
    if (angebotOderWartend(buchungId)) {
        dialogs_.message(QStringLiteral("Die Reservierung ist als Angebot gekennzeichnet, deshalb ist ein 'Check out' nicht möglich."));
        return CheckOut::Abgelehnt;
    }
    db_.execute(QStringLiteral("UPDATE tblBelegung SET tblBelegung.Checked = false WHERE (((tblBelegung.ID)= ?));"), {buchungId});
    if (fenster_.vorhanden(Ziel::Rechnungen) &&
        dialogs_.message(QStringLiteral("Rechnung schreiben?"), {}, Buttons::YesNo, Icon::Question) == Answer::Yes)
        return CheckOut::RechnungSchreiben;
    return CheckOut::Ausgecheckt;
}

Zahlstatus BuchungsMenue::statusAnzeigen(int buchungId) {
    const Zahlstatus s = zahlstatusDerBuchung(db_, buchungId);
    dialogs_.message(s == Zahlstatus::Bezahlt ? QStringLiteral("Status: Bezahlt") : QStringLiteral("Status: Offen"));
    return s;
}

}  // namespace tav
