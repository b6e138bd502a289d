#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include "engine/Database.h"
#include "store/Parameter.h"

// Rows for documents written straight into the tables: rooms, guests, bookings, VAT keys,
// extra items, payments and the document with its link rows.
namespace tav::test::beleg {

inline void zimmer(Database& db, int nr, const QString& nummer, const QString& bemerkung = {}, const QString& block = {}) {
    db.execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen, KatBlockbuchung, PreisDefault) "
                              "VALUES (?, ?, ?, ?, 60)"),
               {nr, nummer, bemerkung, block});
}

inline int gast(Database& db, const QString& vorname, const QString& nachname, const QString& ort = QStringLiteral("Köln")) {
    db.execute(QStringLiteral("INSERT INTO Address (Firstname, Lastname, city, Anrede, Adressnummer, Address, postalcode) "
                              "VALUES (?, ?, ?, 'Herr', '0042', 'Domstraße 1', '50667')"),
               {vorname, nachname, ort});
    return db.scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
}

struct Buchung {
    int zimmer = 1;
    QDate von = QDate(2024, 7, 1);
    QDate bis = QDate(2024, 7, 3);
    double preisProNacht = 100;
    int gaeste = 2;
    int kinder = 0;
    bool fruehstueck = false, mittag = false, abendessen = false;
    QString reText{};
    QString kuerzel = QStringLiteral("Muster");
};

inline int buchung(Database& db, int gastId, const Buchung& b) {
    const int naechte = int(b.von.daysTo(b.bis));
    db.execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, AnzahlÜbernachtungen, GastID, Belegungsart, Kürzel, "
                              "AnzahlGäste, Anz_Kinder, Frühstück, Mittag, Abendessen, PreisProNacht, Preis, Re_text, BelegNummer_eigen, "
                              "Zahlart) VALUES (?, ?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'B 0007', 'bar')"),
               {b.zimmer, b.von, b.bis, naechte, gastId, b.kuerzel, b.gaeste, b.kinder, b.fruehstueck ? -1 : 0, b.mittag ? -1 : 0,
                b.abendessen ? -1 : 0, b.preisProNacht, b.preisProNacht * naechte, b.reText.isEmpty() ? QVariant() : QVariant(b.reText)});
    return db.scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
}

// A VAT key; validity dates may be null.
inline void steuer(Database& db, int id, double satz, bool standard, const QVariant& seit = {}, const QVariant& bis = {},
                   const QVariant& nachfolger = {}) {
    db.execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard, GUeltigseit, GUeltigBis, "
                              "IDNachfolger) VALUES (?, ?, ?, ?, ?, ?)"),
               {id, satz, standard ? -1 : 0, seit, bis, nachfolger});
}

struct Posten {
    int buchung = 0;
    QString artikel = QStringLiteral("Minibar");
    double menge = 1;
    double preis = 10;
    int steuer = 2;
    QString bemerkung{};
    QDate von = QDate(2024, 7, 2);
    QDate bis{};
    bool keinDatum = false;
    bool nacht = false;  // a night item of a split booking
};

inline int posten(Database& db, const Posten& p) {
    db.execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, BemerkungPo, DatumPo, "
                              "DatumPoBis, KeinDatum, AbgerechnetPo, IST_Belegung) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'Ja', ?)"),
               {p.buchung, p.artikel, p.menge, p.preis, p.steuer, p.bemerkung, p.von, p.bis.isValid() ? QVariant(p.bis) : QVariant(),
                p.keinDatum ? -1 : 0, p.nacht ? QStringLiteral("Y") : QStringLiteral("N")});
    return db.scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
}

inline void zahlung(Database& db, int buchungId, const QDate& datum, double betrag, const QString& was = QStringLiteral("Anzahlung"),
                    const QString& zahlart = QStringLiteral("bar")) {
    db.execute(QStringLiteral("INSERT INTO tbZahlung (IDBelegung, ZahlDatum, Betrag, WasBezahlt, Zahlart) VALUES (?, ?, ?, ?, ?)"),
               {buchungId, datum, betrag, was, zahlart});
}

struct Dokument {
    int nummer = 1;
    QString art = QStringLiteral("R");
    QDate datum = QDate(2024, 7, 3);
    int adresse = 0;
    QVariant rabattProz{}, rabattBetrag{}, skonto{};
    QString rabattText = QStringLiteral("Rabatt");
    QString anzahlung = QStringLiteral("N");
    QString modus = QStringLiteral("Y");
};

inline void dokument(Database& db, const Dokument& d) {
    db.execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, DatumRe, IDAdresseRe, Zahlart, "
                              "Rabatt_Proz, Rabatt_Betrag, Rabatt_Bezeichnung, Skonto_Proz, Anzahlung, Anz_Vor_Reise, RE_TEXT1) "
                              "VALUES (?, ?, ?, ?, ?, 'bar', ?, ?, ?, ?, ?, ?, 'Vielen Dank für Ihren Besuch.')"),
               {d.nummer, d.art + QStringLiteral(" 00") + QString::number(d.nummer), d.art, d.datum, d.adresse, d.rabattProz,
                d.rabattBetrag, d.rabattText, d.skonto, d.anzahlung, d.modus});
}

// Link rows in the order given: positive numbers are bookings, negative ones items.
inline void verknuepfen(Database& db, int dokument, std::initializer_list<int> reihe) {
    int pos = 0;
    for (int r : reihe)
        db.execute(
            QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, IDPostenRe, Reihenfolge) VALUES (?, ?, ?, ?)"),
            {dokument, r > 0 ? r : 0, r < 0 ? -r : 0, ++pos});
}

inline void option(Database& db, const QString& name, bool ja) {
    Parameter(db).write(name, {{1, ja ? QStringLiteral("Ja") : QStringLiteral("Nein")}});
}

}  // namespace tav::test::beleg
