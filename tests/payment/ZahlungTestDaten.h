#pragma once

// Bookings, documents, items and payments written straight into the tables, as the invoice
// and block-booking programs leave them.

#include <QDate>
#include <QString>

#include "engine/Database.h"
#include "support/DatabaseFixture.h"

namespace tav::test {

class ZahlungFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (1, '101'), (2, '102'), (3, '103')"));
        gast_ = adresse(QStringLiteral("Brandt"), QStringLiteral("Hella"), QStringLiteral("Kiel"));
    }

    int adresse(const QString& nach, const QString& vor, const QString& ort) {
        db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, city) VALUES (?, ?, ?)"), {nach, vor, ort});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    }
    // abgerechnet: 0 open, 1 settled.
    int buchung(int zimmer, int abgerechnet = 0, const QString& eigene = {}) {
        db().execute(
            QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Abgerechnet, BelegNummer_eigen, Belegungsart) "
                           "VALUES (?, ?, ?, ?, ?, ?, 2)"),
            {zimmer, QDate(2024, 7, 1), QDate(2024, 7, 4), gast_, abgerechnet, eigene.isEmpty() ? QVariant() : QVariant(eigene)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    // A document linked directly to a booking; adresse 0 = the guest, -1 = none.
    void rechnung(int nr, double brutto, int belegung, const QString& art = QStringLiteral("R"), int adresseRe = 0) {
        db().execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, DatumRe, IDAdresseRe, BetragBrutto, "
                                    "Zahlart) VALUES (?, ?, ?, ?, ?, ?, 'Überweisung')"),
                     {nr, QStringLiteral("R-%1").arg(nr), art, QDate(2024, 7, 4), adresseRe == 0 ? gast_ : adresseRe, brutto});
        if (belegung)
            db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (?, ?)"), {nr, belegung});
    }
    // An extra item of a booking, optionally linked to a document; nacht marks a night item.
    int posten(int belegung, double preis, int rechnung = 0, const QString& abgerechnet = QStringLiteral("Nein"), bool nacht = false) {
        db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, AbgerechnetPo, IST_Belegung) VALUES "
                                    "(?, 'Getränke', 1, ?, ?, ?)"),
                     {belegung, preis, abgerechnet, nacht ? QStringLiteral("Y") : QStringLiteral("N")});
        const int id = db().scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
        if (rechnung)
            db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDPostenRe) VALUES (?, ?)"), {rechnung, id});
        return id;
    }
    int zahlung(int belegung, double betrag, int rechnung = 0, const QDate& tag = QDate(2024, 6, 20)) {
        db().execute(QStringLiteral("INSERT INTO tbZahlung (IDBelegung, IdRechnung, ZahlDatum, Betrag, Zahlart, WasBezahlt) VALUES "
                                    "(?, ?, ?, ?, 'Bar', 'Anzahlung')"),
                     {belegung, rechnung ? QVariant(rechnung) : QVariant(), tag, betrag});
        return db().scalar(QStringLiteral("SELECT Max(IDZahlung) FROM tbZahlung")).toInt();
    }
    int anzahlZahlungen() { return db().scalar(QStringLiteral("SELECT Count(*) FROM tbZahlung")).toInt(); }

    int gast_ = 0;
};

}  // namespace tav::test
