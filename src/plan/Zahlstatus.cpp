#include "plan/Zahlstatus.h"

#include "data/Database.h"
#include "data/Zahlstatus.h"

namespace tav {

Zahlstatus zahlstatusDerBuchung(Database& db, int buchungId) {
    if (db.openRecordset(QStringLiteral("SELECT ID FROM tblBelegung WHERE ID = ?"), {buchungId}).eof()) return Zahlstatus::KeineBuchung;
    return zahlstatus::belegungBezahlt(db, buchungId) ? Zahlstatus::Bezahlt : Zahlstatus::Offen;
}

}  // namespace tav
