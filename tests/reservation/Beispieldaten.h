#pragma once

#include <QDate>
#include <QString>

#include "engine/Database.h"

namespace tav::test {

// A small hotel as the sample database shows it: countries, salutations, guest addresses,
// rooms with season prices, a season calendar around the given day, and a few bookings.
inline void beispieldatenAnlegen(Database& db, const QDate& heute) {
    db.beginTrans();
    for (const char* land : {"Deutschland", "Österreich", "Schweiz", "Niederlande", "Frankreich"})
        db.execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES (?)"), {QString::fromUtf8(land)});
    for (const char* anrede : {"Frau", "Herr", "Familie", "Firma"})
        db.execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES (?)"), {QString::fromUtf8(anrede)});
    struct Adresse {
        const char *name, *vorname, *strasse, *plz, *ort;
        int land;
    } adressen[] = {
        {"Albrecht", "Sabine", "Lindenallee 12", "79098", "Freiburg", 1},
        {"Bauer", "Thomas", "Am Mühlbach 3", "83022", "Rosenheim", 1},
        {"Becker", "Ute", "Schillerstraße 45", "70173", "Stuttgart", 1},
        {"Brandstätter", "Josef", "Hauptplatz 7", "5020", "Salzburg", 2},
        {"Meier", "Klaus", "Bahnhofstraße 21", "89073", "Ulm", 1},
        {"Meyer", "Andrea", "Gartenweg 2", "88212", "Ravensburg", 1},
        {"Möller", "Jens", "Hafenstraße 9", "24103", "Kiel", 1},
        {"Müller", "Hans", "Bergstraße 4", "87435", "Kempten", 1},
        {"Müller-Lüdenscheidt", "Erwin", "Am Anger 1", "58507", "Lüdenscheid", 1},
        {"Neumann", "Petra", "Rosenstraße 18", "80331", "München", 1},
        {"Schmid", "Beat", "Seestrasse 30", "8002", "Zürich", 3},
        {"Schneider", "Karin", "Kirchgasse 5", "69117", "Heidelberg", 1},
        {"van Dijk", "Pieter", "Prinsengracht 100", "1015", "Amsterdam", 4},
        {"Weber", "Martin", "Talstraße 8", "79822", "Titisee-Neustadt", 1},
        {"Zimmermann", "Lena", "Uferweg 11", "78462", "Konstanz", 1},
    };
    const char* laender[] = {"", "Deutschland", "Österreich", "Schweiz", "Niederlande"};
    for (const Adresse& a : adressen)
        db.execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, Address, postalcode, city, Country, IDLand) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                   {QString::fromUtf8(a.name), QString::fromUtf8(a.vorname), QString::fromUtf8(a.strasse), QString::fromUtf8(a.plz),
                    QString::fromUtf8(a.ort), QString::fromUtf8(laender[a.land]), a.land});
    struct Zimmer {
        int nr;
        const char* label;
        QVariant standard, haupt, zwischen, neben, sonder;
    } zimmer[] = {
        {1, "101", 65.0, 85.0, 75.0, 60.0, 110.0},           {2, "102", 65.0, 85.0, 75.0, 60.0, {}},
        {3, "103 Balkon", 80.0, 105.0, 90.0, 72.0, 130.0},   {4, "201", 55.0, 70.0, {}, {}, {}},
        {5, "202 Suite", 120.0, 160.0, 140.0, 110.0, 190.0}, {6, "Ferienwohnung", 90.0, {}, {}, {}, {}},
    };
    for (const Zimmer& z : zimmer)
        db.execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, AnzahlGästeDefault, PreisDefault, "
                                  "PreisHauptsaison, PreisZwischensaison, PreisNebensaison, PreisSondersaison) "
                                  "VALUES (?, ?, 2, ?, ?, ?, ?, ?)"),
                   {z.nr, QString::fromUtf8(z.label), z.standard, z.haupt, z.zwischen, z.neben, z.sonder});
    const int jahr = heute.year();
    struct Saison {
        const char* name;
        QDate start, ende;
    } saisons[] = {
        {"Nebensaison", QDate(jahr, 3, 15), QDate(jahr, 5, 15)},      {"Zwischensaison", QDate(jahr, 5, 15), QDate(jahr, 7, 1)},
        {"Hauptsaison", QDate(jahr, 7, 1), QDate(jahr, 9, 15)},       {"Zwischensaison", QDate(jahr, 9, 15), QDate(jahr, 10, 31)},
        {"Sondersaison", QDate(jahr, 12, 23), QDate(jahr + 1, 1, 2)}, {"Nebensaison", QDate(jahr + 1, 1, 2), QDate(jahr + 1, 3, 15)},
    };
    for (const Saison& s : saisons)
        db.execute(QStringLiteral("INSERT INTO tbSaisonzeiten (Saisonbezeichnung, Start, Ende) VALUES (?, ?, ?)"),
                   {QString::fromUtf8(s.name), s.start, s.ende});
    for (const char* tarif : {"55,00", "65,00", "85,00", "120,00"})
        db.execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES (?)"), {QString::fromUtf8(tarif)});
    // Meier (5) arrives in ten days; Müller (8) has two bookings this month; Neumann (10) was here last year.
    struct Buchung {
        int zimmer, gast, ab, naechte;
    } buchungen[] = {{1, 5, 10, 3}, {2, 8, 2, 4}, {3, 8, 20, 2}, {4, 10, -400, 5}};
    for (const Buchung& b : buchungen)
        db.execute(
            QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Kürzel, AnzahlGäste) VALUES (?, ?, ?, ?, ?, 2)"),
            {b.zimmer, heute.addDays(b.ab), heute.addDays(b.ab + b.naechte), b.gast, QStringLiteral("Gast %1").arg(b.gast)});
    db.commitTrans();
}

}  // namespace tav::test
