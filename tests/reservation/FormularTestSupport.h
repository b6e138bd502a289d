#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <memory>

#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserName.h"
#include "reservation/BelegungTestSupport.h"
#include "reservation/ReservierungLogik.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "support/DatabaseFixture.h"

namespace tav::test {

// A small hotel for the reservation form: rooms "101" … "109" and the waiting row's room
// "Vorläufig" (10), the booking kinds (with "Angebot" and a kind named like a number), three
// countries, two salutations, two guests, the linen settings, and a fixed day (Friday
// 1 March 2024). Variablen are reset after each test.
class FormularFixture : public DatabaseFixture {
protected:
    static QDate tag(int day, int month = 3) { return QDate(2024, month, day); }
    static QString t(int day, int month = 3) { return dates::longDate(tag(day, month)); }

    void SetUp() override {
        DatabaseFixture::SetUp();
        uhr_ = std::make_unique<ClockOverride>(tag(1));
        setUserNameForTests(QStringLiteral("Empfang"));
        Transaction einmal(db());
        for (int i = 1; i <= 10; ++i) {
            // Room 103 sleeps three at 95,00; room 109 has no price; the rest two at 80,00.
            const QVariant preis = i == 3 ? QVariant(95.0) : i == 9 || i == 10 ? QVariant() : QVariant(80.0);
            db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, AnzahlGästeDefault, PreisDefault) "
                                        "VALUES (?, ?, ?, ?)"),
                         {i, i == 10 ? QStringLiteral("Vorläufig") : QString::number(100 + i), i == 3 ? 3 : 2, preis});
        }
        const QStringList arten = {QStringLiteral("Frei"), QStringLiteral("Einzel"), QStringLiteral("Doppel"), QStringLiteral("zwei"),
                                   QStringLiteral("Angebot")};
        for (int i = 0; i < arten.size(); ++i)
            db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"), {i, arten[i]});
        for (const char* land : {"Deutschland", "Österreich", "Schweiz"})
            db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES (?)"), {QString::fromUtf8(land)});
        for (const char* anrede : {"Frau", "Herr"})
            db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES (?)"), {QString::fromUtf8(anrede)});
        db().execute(
            QStringLiteral("INSERT INTO Address (Lastname, Firstname, postalcode, city, Country, IDLand) "
                           "VALUES ('Meier', 'Klaus', '89073', 'Ulm', 'Deutschland', 1)"));
        db().execute(
            QStringLiteral("INSERT INTO Address (Lastname, Firstname, postalcode, city, Country, IDLand) "
                           "VALUES ('Huber', 'Anna', '5020', 'Salzburg', 'Österreich', 2)"));
        Parameter(db()).write(QStringLiteral("Wäsche"), {{1, QStringLiteral("Handtücher")},
                                                         {2, QStringLiteral("7")},
                                                         {3, QStringLiteral("Bettwäsche")},
                                                         {4, QStringLiteral("3")},
                                                         {5, QStringLiteral("1")},
                                                         {6, QStringLiteral("0")},
                                                         {7, QStringLiteral("0")}});
        Parameter(db()).write(QStringLiteral("BeNummer"), {{1, QStringLiteral("R")}, {2, QString()}, {4, QStringLiteral("Alle")}});
        einmal.commit();
        beispiel_ = open(QStringLiteral("Beispiel.mdb"));
        variablen().letzteReservierung = 0;
    }

    void TearDown() override {
        variablen().uebergabe = Uebergabe{};
        variablen().letzteReservierung = 0;
        variablen().kollision = KollisionsErgebnis{};
        beispiel_.reset();
        uhr_.reset();
        setUserNameForTests(QString());
        DatabaseFixture::TearDown();
    }

    AdressUmgebung umgebung() const {
        AdressUmgebung u;
        u.programmordner = folder();
        return u;
    }

    FormularEinstellungen einstellungen() { return FormularEinstellungen::lesen(db(), beispiel_.get()); }

    std::unique_ptr<ReservierungLogik> formular() {
        return std::make_unique<ReservierungLogik>(db(), beispiel_.get(), dialogs_, kollisionsDialog_, kollision_, einstellungen(),
                                                   umgebung());
    }

    // A booking written straight into the table (guest Meier, 2 guests, 80,00 a night); returns its ID.
    int buchung(int zimmer, const QDate& von, const QDate& bis, const QString& kuerzel, bool geloescht = false) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, Gelöscht, Abgerechnet, Belegungsart, "
                                    "GastID, AnzahlGäste, BelegNummer, PreisProNacht, Preis, AnzahlÜbernachtungen, Wäsche1, "
                                    "Wäsche2) VALUES (?, ?, ?, ?, ?, 0, 1, 1, 2, ?, 80, ?, ?, 7, 3)"),
                     {zimmer, von, bis, kuerzel, geloescht ? -1 : 0, ++nummer_, 80.0 * von.daysTo(bis), von.daysTo(bis)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }

    QVariant wert(const QString& feld, int id) {
        return db().scalar(QStringLiteral("SELECT ") + feld + QStringLiteral(" FROM tblBelegung WHERE ID = ?"), {id});
    }

    int zeilen(const QString& where = QStringLiteral("1 = 1")) {
        return db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ") + where).toInt();
    }

    ScriptedDialogs dialogs_;
    SkriptKollisionsDialog kollisionsDialog_;
    KollisionsErgebnis kollision_;
    std::unique_ptr<Database> beispiel_;
    std::unique_ptr<ClockOverride> uhr_;
    int nummer_ = 0;
};

}  // namespace tav::test
