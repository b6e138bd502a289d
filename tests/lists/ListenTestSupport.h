#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <memory>

#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "support/DatabaseFixture.h"

namespace tav::test {

// A fresh installation with four rooms, the booking kinds (4 = "Angebot"), the shown texts of
// the yes/no flags and a fixed day (Friday 1 March 2024). Bookings and addresses are added by
// each test.
class ListenFixture : public DatabaseFixture {
protected:
    static QDate tag(int day, int month = 3, int year = 2024) { return QDate(year, month, day); }

    void SetUp() override {
        DatabaseFixture::SetUp();
        uhr_ = std::make_unique<ClockOverride>(tag(1));
        Transaction t(db());
        for (int i = 1; i <= 4; ++i)
            db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen) VALUES (?, ?, ?)"),
                         {i, QString::number(100 + i), QStringLiteral("Bem %1").arg(100 + i)});
        const QStringList arten = {QStringLiteral("Frei"), QStringLiteral("Einzel"), QStringLiteral("Doppel"), QStringLiteral("Tresen"),
                                   QStringLiteral("Angebot")};
        for (int i = 0; i < arten.size(); ++i)
            db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"), {i, arten[i]});
        db().execute(QStringLiteral("INSERT INTO TblHilfeDarstellung (WahrNichtWahr, Beschreibung) VALUES (True, 'Ja')"));
        db().execute(QStringLiteral("INSERT INTO TblHilfeDarstellung (WahrNichtWahr, Beschreibung) VALUES (False, 'Nein')"));
        t.commit();
    }

    void TearDown() override {
        uhr_.reset();
        DatabaseFixture::TearDown();
    }

    int adresse(const QVariant& nachname, const QString& vorname = QStringLiteral("Anna"), const QString& nummer = {}) {
        db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, city, Adressnummer) VALUES (?, ?, 'Bonn', ?)"),
                     {nachname, vorname, nummer.isEmpty() ? QVariant() : QVariant(nummer)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    }

    struct Neu {
        int zimmer = 1;
        QDate von{};
        QDate bis{};
        QString kuerzel{};
        int gast = 0;
        int art = 1;
        int gaeste = 2;
        int kinder = 0;
        bool fruehstueck = false;
        bool mittag = false;
        bool abendessen = false;
        int waesche1 = 7;
        int waesche2 = 3;
        bool geloescht = false;
        bool checked = false;
        int abgerechnet = 0;
        QString info{};
        double preis = 80;
    };

    int buchung(const Neu& n) {
        db().execute(QStringLiteral(
                         "INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, GastID, Belegungsart, AnzahlGäste, Anz_Kinder, "
                         "Frühstück, Mittag, Abendessen, Wäsche1, Wäsche2, Gelöscht, Checked, Abgerechnet, Info, PreisProNacht, Preis, "
                         "AnzahlÜbernachtungen, BelegNummer_eigen) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {n.zimmer,
                      n.von,
                      n.bis,
                      n.kuerzel,
                      n.gast,
                      n.art,
                      n.gaeste,
                      n.kinder,
                      n.fruehstueck ? -1 : 0,
                      n.mittag ? -1 : 0,
                      n.abendessen ? -1 : 0,
                      n.waesche1,
                      n.waesche2,
                      n.geloescht ? -1 : 0,
                      n.checked ? -1 : 0,
                      n.abgerechnet,
                      n.info.isEmpty() ? QVariant() : QVariant(n.info),
                      n.preis,
                      n.preis * n.von.daysTo(n.bis),
                      static_cast<int>(n.von.daysTo(n.bis)),
                      QStringLiteral("Üb-%1").arg(n.kuerzel)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }

    ScriptedDialogs dialogs_;
    std::unique_ptr<ClockOverride> uhr_;
};

}  // namespace tav::test
