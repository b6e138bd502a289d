#pragma once

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "platform/ScriptedDialogs.h"
#include "store/Erstausstattung.h"
#include "support/DatabaseFixture.h"
#include "support/ScriptedFenster.h"

namespace tav::test {

// A working database filled as at the first start without sample data: nine rooms and the
// waiting room "Vorläufig" (room 10), with a backup that succeeds.
class EinstellungenFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        erstausstattung::neueDatenbankFuellen(db());
        fenster_.setVorhanden(Ziel::Datensicherung);
        fenster_.setSicherung(folder() + QStringLiteral("/Sicherung"));
    }

    // Back to the first-start state for the next row of a table of cases.
    void frisch() {
        db().execute(QStringLiteral("DELETE FROM tblBelegung"));
        erstausstattung::neueDatenbankFuellen(db());
        fenster_.setSicherung(folder() + QStringLiteral("/Sicherung"));
    }

    int buchung(int zimmer, const QDate& von, int tage = 2, int art = 1, bool geloescht = false) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Belegungsart, Gelöscht) VALUES (?, ?, ?, ?, ?)"),
                     {zimmer, von, von.addDays(tage), art, geloescht});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    int zimmerVon(int buchungId) {
        return db().scalar(QStringLiteral("SELECT Zimmernummer FROM tblBelegung WHERE ID = ?"), {buchungId}).toInt();
    }
    int zahl(const QString& sql, const QVariantList& p = {}) { return db().scalar(sql, p).toInt(); }
    // Room number -> label, in Zimmernummer order.
    QList<QPair<int, QString>> raeume() {
        QList<QPair<int, QString>> r;
        for (Recordset rs =
                 db().openRecordset(QStringLiteral("SELECT Zimmernummer, NeueNummer FROM tbZimmernummern ORDER BY Zimmernummer"));
             !rs.eof(); rs.moveNext())
            r.append({rs.integer(QStringLiteral("Zimmernummer")), rs.text(QStringLiteral("NeueNummer"))});
        return r;
    }

    ScriptedDialogs dialogs_;
    ScriptedFenster fenster_;
};

}  // namespace tav::test
