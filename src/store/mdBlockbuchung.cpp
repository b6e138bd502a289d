#include "store/mdBlockbuchung.h"

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "engine/SqlText.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "store/Parameter.h"

namespace tav {

void mdBlockbuchung::uebergabeSchreiben(Database& db, int buchungId) { Parameter(db).write(kUebergabe, {{1, QString::number(buchungId)}}); }

int mdBlockbuchung::uebergabeLesen(Database& db) {
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT tblParameter.Satz, tblParameter.F1, tblParameter.F2, tblParameter.F3, tblParameter.F4, ") +
        QStringLiteral(" tblParameter.F5, tblParameter.F6, tblParameter.F7, tblParameter.F8, tblParameter.F9, tblParameter.F10") +
        QStringLiteral(" From tblParameter WHERE (((tblParameter.Satz)='BlockBuchung'));"));
    if (rs.eof()) return 0;
    bool zahl = false;
    const int id = rs.value(QStringLiteral("F1")).toString().trimmed().toInt(&zahl);
    return zahl && id > 0 ? id : 0;
}

int mdBlockbuchung::BlocknummerDerBelegung(Database& db, int buchungId) {
    Recordset rs = db.openRecordset(QStringLiteral("SELECT tbBlockbuchung.IDBelegung, tbBlockbuchung.IDBlockbuchung ") +
                                    QStringLiteral(" From tbBlockbuchung ") + QStringLiteral(" Where (((tbBlockbuchung.IDBelegung) = ") +
                                    QString::number(buchungId) + QStringLiteral("));"));
    if (rs.eof()) return 0;
    return rs.value(QStringLiteral("IDBlockbuchung")).toInt();
}

QList<int> mdBlockbuchung::mitglieder(Database& db, int block) {
    QList<int> ids;
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT IDBelegung FROM tbBlockbuchung WHERE IDBlockbuchung = ? ORDER BY Master, IDBelegung"), {block});
    // Master is -1 for the leading booking, so it sorts first.
    for (; !rs.eof(); rs.moveNext()) ids << rs.value(QStringLiteral("IDBelegung")).toInt();
    return ids;
}

QList<int> mdBlockbuchung::buchungenMitBlock(Database& db, int buchungId) {
    const int block = BlocknummerDerBelegung(db, buchungId);
    if (block == 0) return {buchungId};
    QList<int> ids = mitglieder(db, block);
    if (!ids.contains(buchungId)) ids << buchungId;
    return ids;
}

mdBlockbuchung::Angebote mdBlockbuchung::Angebotskonflikte(Database& db, Dialogs& dialogs, const QDate& tag) {
    Angebote a;
    const QString kopf = QStringLiteral(
                             "SELECT tblBelegung.ID, tblBelegung.Belegungsart, tblBelegung.Von, tblBelegung.Gelöscht, "
                             "tbBelegArten.BelegungsArt,") +
                         QStringLiteral(" tbBlockbuchung.IDBelegung") +
                         QStringLiteral(
                             " FROM (tblBelegung INNER JOIN tbBelegArten ON tblBelegung.Belegungsart = "
                             "tbBelegArten.BelegungsID) LEFT JOIN ") +
                         QStringLiteral(" tbBlockbuchung ON tblBelegung.ID = tbBlockbuchung.IDBelegung ") +
                         QStringLiteral(" WHERE (((tblBelegung.Von)<=") + sqltext::date(tag) +
                         QStringLiteral(") AND ((tblBelegung.Gelöscht)=False) AND ");
    const auto ids = [&](const QString& ende) {
        QList<int> r;
        Recordset rs = db.openRecordset(kopf + ende);
        for (; !rs.eof(); rs.moveNext()) r << rs.value(QStringLiteral("ID")).toInt();
        return r;
    };
    const QString datum = dates::longDate(tag.addDays(1));

    const QList<int> frei = ids(QStringLiteral(" ((tbBelegArten.BelegungsArt)='Angebot') AND ((tbBlockbuchung.IDBelegung) Is Null));"));
    a.ohneBlock = int(frei.size());
    if (!frei.isEmpty() &&
        dialogs.message(QStringLiteral("Es gibt noch Angebote, deren Anfangsdatum vor dem ") + datum +
                            QStringLiteral(" beginnen. Wählen Sie 'Ja', wenn diese Angebote in die Warteposition geschoben werden "
                                           "sollen, wählen Sie 'Nein', wenn die Angebote per Hand bearbeitet werden sollen."),
                        QStringLiteral("Angebotskonflikte"), Buttons::YesNo, Icon::Question) == Answer::Yes) {
        Transaction t(db, QStringLiteral("tblBelegung"));
        for (int id : frei) a.geparkt += db.execute(QStringLiteral("UPDATE tblBelegung SET Gelöscht = True WHERE ID = ?"), {id});
        t.commit();
    }

    const QList<int> block =
        ids(QStringLiteral(" ((tbBelegArten.BelegungsArt)='Angebot') AND ((tbBlockbuchung.IDBelegung) Is not  Null));"));
    a.imBlock = int(block.size());
    if (block.isEmpty()) return a;
    if (dialogs.message(QStringLiteral("Es gibt noch Angebote, deren Anfangsdatum vor dem ") + datum + QStringLiteral(" beginnen und zu ") +
                            QStringLiteral("einer Blockbuchung gehören. Wählen Sie 'Ja', wenn diese Angebote endgültig gelöscht werden "
                                           "sollen,") +
                            QStringLiteral(" wählen Sie 'Nein', wenn die Angebote per Hand bearbeitet werden sollen."),
                        QStringLiteral("Angebotskonflikte"), Buttons::YesNo, Icon::Critical) != Answer::Yes)
        return a;
    if (dialogs.message(QStringLiteral("Achtung. Dieser Vorgang löscht ") + QString::number(block.size()) +
                            QStringLiteral(" Angebote, die zu einer Blockbuchung gehören.") + QStringLiteral(" Möchten Sie fortfahren?"),
                        QStringLiteral("Angebotskonflikte"), Buttons::OkCancel, Icon::Critical) != Answer::Ok)
        return a;
    Transaction t(db, QStringLiteral("tblBelegung"));
    for (int id : block) {
        // Membership rows of deleted bookings go before the booking.
        db.execute(QStringLiteral(" DELETE tbBlockbuchung.IDBelegung From tbBlockbuchung ") +
                   QStringLiteral(" WHERE (((tbBlockbuchung.IDBelegung)=") + QString::number(id) + QStringLiteral(")); "));
        a.geloescht += db.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ?"), {id});
    }
    t.commit();
    return a;
}

}  // namespace tav
