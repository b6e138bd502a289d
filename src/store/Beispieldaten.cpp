#include "store/Beispieldaten.h"

#include <QRandomGenerator>
#include <QVariant>

#include "engine/Database.h"
#include "store/Erstausstattung.h"
#include "store/Parameter.h"

namespace tav::beispieldaten {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

struct Ort {
    const char* plz;
    const char* ort;
};

const Ort kOrte[] = {
    {"10115", "Berlin"},
    {"20095", "Hamburg"},
    {"80331", "München"},
    {"50667", "Köln"},
    {"60311", "Frankfurt am Main"},
    {"70173", "Stuttgart"},
    {"40213", "Düsseldorf"},
    {"04109", "Leipzig"},
    {"01067", "Dresden"},
    {"28195", "Bremen"},
    {"30159", "Hannover"},
    {"90402", "Nürnberg"},
    {"44135", "Dortmund"},
    {"45127", "Essen"},
    {"53111", "Bonn"},
    {"55116", "Mainz"},
    {"65183", "Wiesbaden"},
    {"66111", "Saarbrücken"},
    {"24103", "Kiel"},
    {"18055", "Rostock"},
    {"19053", "Schwerin"},
    {"14467", "Potsdam"},
    {"39104", "Magdeburg"},
    {"99084", "Erfurt"},
    {"93047", "Regensburg"},
    {"94032", "Passau"},
    {"87435", "Kempten (Allgäu)"},
    {"83471", "Berchtesgaden"},
    {"82467", "Garmisch-Partenkirchen"},
    {"79098", "Freiburg im Breisgau"},
    {"69117", "Heidelberg"},
    {"97070", "Würzburg"},
    {"86150", "Augsburg"},
    {"37073", "Göttingen"},
    {"23552", "Lübeck"},
    {"26122", "Oldenburg"},
    {"48143", "Münster"},
    {"33602", "Bielefeld"},
    {"34117", "Kassel"},
    {"35037", "Marburg"},
};

const char* const kVornamenM[] = {"Thomas", "Michael", "Andreas", "Stefan", "Peter",  "Klaus",  "Jürgen", "Frank",
                                  "Markus", "Jan",     "Lukas",   "Felix",  "Tobias", "Martin", "Georg"};
const char* const kVornamenW[] = {"Sabine", "Petra",  "Monika",  "Claudia", "Andrea", "Julia", "Anna",     "Katharina",
                                  "Ursula", "Birgit", "Susanne", "Lena",    "Sophie", "Maria", "Christine"};
const char* const kNachnamen[] = {"Müller",   "Schmidt",  "Schneider", "Fischer",    "Weber",  "Meyer",   "Wagner",  "Becker",
                                  "Schulz",   "Hoffmann", "Schäfer",   "Koch",       "Bauer",  "Richter", "Klein",   "Wolf",
                                  "Schröder", "Neumann",  "Schwarz",   "Zimmermann", "Braun",  "Krüger",  "Hofmann", "Hartmann",
                                  "Lange",    "Schmitt",  "Werner",    "Krause",     "Meier",  "Lehmann", "Huber",   "Kaiser",
                                  "Fuchs",    "Peters",   "Lang",      "Scholz",     "Möller", "Weiß",    "Jung",    "Hahn"};
const char* const kStrassen[] = {"Hauptstraße", "Bahnhofstraße", "Gartenweg",      "Schulstraße", "Lindenallee",
                                 "Am Markt",    "Bergstraße",    "Kirchplatz",     "Waldweg",     "Rosenstraße",
                                 "Mühlenweg",   "Goethestraße",  "Schillerstraße", "Seestraße",   "Ringstraße"};
const char* const kInfos[] = {
    "Anreise gegen 18 Uhr",  "mit Hund", "Kinderbett gewünscht", "Allergie: Nüsse", "Zimmer zum Garten bitte", "kommt mit dem Fahrrad",
    "Rechnung an die Firma", "Stammgast"};

struct Raumpreis {
    int nummer;
    double preis;
};
const Raumpreis kPreise[] = {{1, 55}, {2, 69}, {3, 79}, {4, 49}, {5, 99}, {6, 89}, {7, 52}, {8, 139}, {9, 149}, {10, 0}};

double preisVon(int zimmer) {
    for (const Raumpreis& p : kPreise)
        if (p.nummer == zimmer) return p.preis;
    return 0;
}

int gaesteVon(int zimmer) {
    static const int g[] = {0, 1, 2, 2, 1, 3, 2, 1, 2, 4, 1};
    return zimmer >= 1 && zimmer <= 10 ? g[zimmer] : 1;
}

void parameter(Database& db, const QString& satz, const QStringList& werte) {
    QList<QPair<int, QVariant>> fields;
    for (int i = 0; i < werte.size(); ++i) fields << qMakePair(i + 1, QVariant(werte[i]));
    Parameter(db).write(satz, fields);
}

void nachschlagetabellen(Database& db) {
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tblTarife"));
        for (const char* t : {"45,00", "55,00", "65,00", "79,00", "89,00", "99,00", "120,00", "149,00"}) {
            rs.addNew();
            rs.setValue(QStringLiteral("Tarif"), u(t));
            rs.update();
        }
    }
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbZahlart"));
        for (const char* z : {"Bar", "EC-Karte", "Kreditkarte", "Überweisung"}) {
            rs.addNew();
            rs.setValue(QStringLiteral("Zahlarten"), u(z));
            rs.update();
        }
    }
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbLänder"));
        const char* const laender[][2] = {{"Deutschland", "D"}, {"Österreich", "A"}, {"Schweiz", "CH"}, {"Niederlande", "NL"},
                                          {"Dänemark", "DK"},   {"Frankreich", "F"}, {"Italien", "I"},  {"Belgien", "B"}};
        for (const auto& l : laender) {
            rs.addNew();
            rs.setValue(QStringLiteral("Länder"), u(l[0]));
            rs.setValue(QStringLiteral("LänderSchlüssel"), u(l[1]));
            rs.update();
        }
    }
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbAnreden"));
        for (const char* a : {"Herr", "Frau", "Familie", "Firma"}) {
            rs.addNew();
            rs.setValue(QStringLiteral("Anrede"), u(a));
            rs.update();
        }
    }
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbKreditkarte"));
        for (const char* k : {"Visa", "Mastercard", "American Express"}) {
            rs.addNew();
            rs.setValue(QStringLiteral("Kreditkarte"), u(k));
            rs.update();
        }
    }
    // Nights at the reduced rate, everything else at the full rate.
    db.execute(
        QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, GUeltigseit, Standard) "
                       "VALUES (1, 7, #01-01-2010#, True)"));
    db.execute(
        QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, GUeltigseit, Standard) "
                       "VALUES (2, 19, #01-01-2010#, False)"));
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbArtKategorie"));
        struct Artikel {
            const char* name;
            double preis;
            bool keinDatum;
        };
        const Artikel artikel[] = {{"Frühstück", 12.5, false},
                                   {"Halbpension", 24, false},
                                   {"Parkplatz", 8, false},
                                   {"Minibar", 0, true},
                                   {"Fahrradverleih", 15, false}};
        int id = 1;
        for (const Artikel& a : artikel) {
            rs.addNew();
            rs.setValue(QStringLiteral("IDArtKategorie"), id++);
            rs.setValue(QStringLiteral("ArtKategorie"), u(a.name));
            rs.setValue(QStringLiteral("Preis"), a.preis);
            rs.setValue(QStringLiteral("MWST_SL"), 2);
            rs.setValue(QStringLiteral("KeinDatum"), a.keinDatum);
            rs.update();
        }
    }
}

void zimmerpreise(Database& db) {
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbZimmernummern"));
    for (; !rs.eof(); rs.moveNext()) {
        const double p = preisVon(rs.integer(QStringLiteral("Zimmernummer")));
        rs.edit();
        rs.setValue(QStringLiteral("PreisDefault"), p);
        if (p > 0) {
            rs.setValue(QStringLiteral("PreisHauptsaison"), p + 20);
            rs.setValue(QStringLiteral("PreisZwischensaison"), p + 10);
            rs.setValue(QStringLiteral("PreisNebensaison"), p - 5);
            rs.setValue(QStringLiteral("PreisSondersaison"), p + 30);
        }
        rs.update();
    }
}

void saisonzeiten(Database& db, int vonJahr, int bisJahr) {
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbSaisonzeiten"));
    auto add = [&](const char* name, QDate start, QDate ende) {
        rs.addNew();
        rs.setValue(QStringLiteral("Saisonbezeichnung"), u(name));
        rs.setValue(QStringLiteral("Start"), start);
        rs.setValue(QStringLiteral("Ende"), ende);
        rs.update();
    };
    for (int y = vonJahr; y <= bisJahr; ++y) {
        add("Nebensaison", QDate(y, 1, 7), QDate(y, 4, 1));
        add("Zwischensaison", QDate(y, 4, 1), QDate(y, 7, 1));
        add("Hauptsaison", QDate(y, 7, 1), QDate(y, 9, 1));
        add("Zwischensaison", QDate(y, 9, 1), QDate(y, 11, 1));
        add("Nebensaison", QDate(y, 11, 1), QDate(y, 12, 22));
        add("Sondersaison", QDate(y, 12, 22), QDate(y + 1, 1, 7));
    }
}

struct Gast {
    int id;
    QString kuerzel;
};

QList<Gast> adressen(Database& db, QRandomGenerator& rnd, const QDate& stichtag) {
    QList<Gast> gaeste;
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM Address"));
    const int nM = int(std::size(kVornamenM)), nW = int(std::size(kVornamenW)), nN = int(std::size(kNachnamen));
    for (int i = 0; i < 60; ++i) {
        const bool firma = i % 20 == 7;
        const bool frau = i % 2 == 1;
        const QString nachname = u(kNachnamen[(i * 7) % nN]);
        const QString vorname = u(frau ? kVornamenW[(i * 5) % nW] : kVornamenM[(i * 3) % nM]);
        const Ort& ort = kOrte[rnd.bounded(int(std::size(kOrte)))];
        rs.addNew();
        if (firma) {
            rs.setValue(QStringLiteral("CompanyName"), nachname + QStringLiteral(" GmbH"));
            rs.setValue(QStringLiteral("Anrede"), QStringLiteral("Firma"));
            rs.setValue(QStringLiteral("IDAnrede"), 4);
        } else {
            rs.setValue(QStringLiteral("Anrede"), frau ? QStringLiteral("Frau") : QStringLiteral("Herr"));
            rs.setValue(QStringLiteral("IDAnrede"), frau ? 2 : 1);
        }
        rs.setValue(QStringLiteral("Lastname"), nachname);
        rs.setValue(QStringLiteral("Firstname"), vorname);
        rs.setValue(QStringLiteral("Address"),
                    u(kStrassen[rnd.bounded(int(std::size(kStrassen)))]) + QLatin1Char(' ') + QString::number(1 + rnd.bounded(80)));
        rs.setValue(QStringLiteral("postalcode"), u(ort.plz));
        rs.setValue(QStringLiteral("city"), u(ort.ort));
        rs.setValue(QStringLiteral("Country"), QStringLiteral("Deutschland"));
        rs.setValue(QStringLiteral("IDLand"), 1);
        rs.setValue(QStringLiteral("phone"), QStringLiteral("0%1 %2").arg(100 + rnd.bounded(900)).arg(100000 + rnd.bounded(900000)));
        if (i % 3 != 2)
            rs.setValue(QStringLiteral("EMAIL"), QStringLiteral("%1.%2@beispiel.example")
                                                     .arg(vorname.toLower(), nachname.toLower())
                                                     .replace(QStringLiteral("ä"), QStringLiteral("ae"))
                                                     .replace(QStringLiteral("ö"), QStringLiteral("oe"))
                                                     .replace(QStringLiteral("ü"), QStringLiteral("ue"))
                                                     .replace(QStringLiteral("ß"), QStringLiteral("ss")));
        rs.setValue(QStringLiteral("OwnerID"), i % 6 == 0 ? 1 : 0);
        rs.setValue(QStringLiteral("WerErstellt"), QStringLiteral("Beispiel"));
        rs.setValue(QStringLiteral("WannErstellt"), stichtag.addDays(-400 + i * 5));
        rs.update();
        gaeste << Gast{rs.lastModified(QStringLiteral("ID")).toInt(), (firma ? nachname + QStringLiteral(" GmbH") : nachname).left(17)};
    }
    return gaeste;
}

struct Buchung {
    int zimmer = 0;
    QDate von, bis;
    int art = 1;
    bool checked = false;
    bool warten = false;
};

// Bookings of one room from `ab` on, none ending after `bis`.
void zimmerFuellen(QList<Buchung>& out, QRandomGenerator& rnd, int zimmer, QDate ab, const QDate& bis) {
    for (;;) {
        const QDate von = ab.addDays(rnd.bounded(4));
        static const int naechte[] = {1, 1, 2, 2, 3, 3, 3, 4, 5, 7, 7, 10};
        const QDate ende = von.addDays(naechte[rnd.bounded(int(std::size(naechte)))]);
        if (ende > bis) return;
        Buchung b;
        b.zimmer = zimmer;
        b.von = von;
        b.bis = ende;
        out << b;
        ab = ende;
    }
}

}  // namespace

QDate ostersonntag(int jahr) {
    const int a = jahr % 19, b = jahr / 100, c = jahr % 100, d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int monat = (h + l - 7 * m + 114) / 31, tag = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(jahr, monat, tag);
}

QList<QPair<QDate, QString>> feiertage(int jahr) {
    const QDate ostern = ostersonntag(jahr);
    return {
        {QDate(jahr, 1, 1), QStringLiteral("Neujahr")},
        {ostern.addDays(-2), QStringLiteral("Karfreitag")},
        {ostern.addDays(1), QStringLiteral("Ostermontag")},
        {QDate(jahr, 5, 1), QStringLiteral("Tag der Arbeit")},
        {ostern.addDays(39), QStringLiteral("Christi Himmelfahrt")},
        {ostern.addDays(50), QStringLiteral("Pfingstmontag")},
        {QDate(jahr, 10, 3), QStringLiteral("Tag der Deutschen Einheit")},
        {QDate(jahr, 12, 25), QStringLiteral("1. Weihnachtsfeiertag")},
        {QDate(jahr, 12, 26), QStringLiteral("2. Weihnachtsfeiertag")},
    };
}

void feiertageAnlegen(Database& db, int vonJahr, int bisJahr) {
    Transaction t(db);
    int id = db.scalar(QStringLiteral("SELECT Max(IDFeiertage) FROM tbFeiertage")).toInt();
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbFeiertage"));
    for (int y = vonJahr; y <= bisJahr; ++y) {
        for (const auto& [datum, name] : feiertage(y)) {
            if (!db.scalar(QStringLiteral("SELECT IDFeiertage FROM tbFeiertage WHERE FTDatum = ?"), {datum}).isNull()) continue;
            rs.addNew();
            rs.setValue(QStringLiteral("IDFeiertage"), ++id);
            rs.setValue(QStringLiteral("FTBezeichnung"), name);
            rs.setValue(QStringLiteral("FTDatum"), datum);
            rs.update();
        }
    }
    t.commit();
}

void postleitzahlenAnlegen(Database& db) {
    Transaction t(db);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbPLZ"));
    for (const Ort& o : kOrte) {
        rs.addNew();
        rs.setValue(QStringLiteral("PLZ"), u(o.plz));
        rs.setValue(QStringLiteral("Ort"), u(o.ort));
        rs.update();
    }
    t.commit();
}

void anlegen(Database& db, const QDate& stichtag) {
    erstausstattung::neueDatenbankFuellen(db);
    feiertageAnlegen(db, 2020, 2040);

    Transaction t(db);
    parameter(db, QStringLiteral("titel"), {QStringLiteral("Tavomera")});
    parameter(db, QStringLiteral("Räumlichkeiten"), {QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("320")});
    parameter(db, QStringLiteral("Res_Groesse"), {QStringLiteral("gross")});
    parameter(db, QStringLiteral("ErsterTag"), {QStringLiteral("60")});
    nachschlagetabellen(db);
    zimmerpreise(db);
    saisonzeiten(db, stichtag.year() - 1, stichtag.year() + 1);

    QRandomGenerator rnd(20240501u);  // the same sample on every machine
    const QList<Gast> gaeste = adressen(db, rnd, stichtag);

    // The first booking arrives on the day the file is made; the others fill the rooms from
    // five weeks before to two months after it.
    Buchung anker;
    anker.zimmer = 1;
    anker.von = stichtag;
    anker.bis = stichtag.addDays(3);
    anker.art = 2;
    QList<Buchung> buchungen;
    const QDate anfang = stichtag.addDays(-35), ende = stichtag.addDays(60);
    zimmerFuellen(buchungen, rnd, 1, anfang, anker.von);
    zimmerFuellen(buchungen, rnd, 1, anker.bis, ende);
    for (int z = 2; z <= 9; ++z) zimmerFuellen(buchungen, rnd, z, anfang, ende);
    std::sort(buchungen.begin(), buchungen.end(),
              [](const Buchung& a, const Buchung& b) { return a.von != b.von ? a.von < b.von : a.zimmer < b.zimmer; });
    for (Buchung& b : buchungen) {
        const int wurf = rnd.bounded(100);
        if (b.von > stichtag)
            b.art = wurf < 15 ? 4 : wurf < 55 ? 1 : 2;
        else if (b.von.daysTo(b.bis) == 1 && wurf < 40)
            b.art = 3;
        else
            b.art = wurf < 50 ? 1 : 2;
    }
    // Bookings in the waiting position, not yet given a room.
    for (int i = 0; i < 6; ++i) {
        Buchung w;
        w.zimmer = 1 + rnd.bounded(9);
        w.von = stichtag.addDays(3 + i * 6);
        w.bis = w.von.addDays(2 + i % 3);
        w.art = 1;
        w.warten = true;
        buchungen << w;
    }
    buchungen.prepend(anker);

    Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tblBelegung"));
    Recordset zahlung = db.openRecordset(QStringLiteral("SELECT * FROM tbZahlung"));
    int nummer = 0;
    for (const Buchung& b : buchungen) {
        const Gast& gast = gaeste[rnd.bounded(int(gaeste.size()))];
        const int naechte = int(b.von.daysTo(b.bis));
        const double ppn = preisVon(b.zimmer);
        int gaesteZahl = gaesteVon(b.zimmer);
        if (gaesteZahl > 1 && rnd.bounded(5) == 0) --gaesteZahl;  // fewer guests than the room holds
        const QDate erstellt = qMin(stichtag, b.von.addDays(-3 - rnd.bounded(60)));
        rs.addNew();
        rs.setValue(QStringLiteral("Zimmernummer"), b.zimmer);
        rs.setValue(QStringLiteral("Von"), b.von);
        rs.setValue(QStringLiteral("Bis"), b.bis);
        rs.setValue(QStringLiteral("AnzahlÜbernachtungen"), naechte);
        rs.setValue(QStringLiteral("GastID"), gast.id);
        rs.setValue(QStringLiteral("Belegungsart"), b.art);
        rs.setValue(QStringLiteral("Kürzel"), gast.kuerzel);
        rs.setValue(QStringLiteral("AnzahlGäste"), gaesteZahl);
        rs.setValue(QStringLiteral("Anz_Kinder"), b.zimmer == 9 && gaesteZahl > 2 ? 1 : 0);
        if (b.zimmer == 9 && gaesteZahl > 2) rs.setValue(QStringLiteral("Alter_Kinder"), QStringLiteral("8"));
        rs.setValue(QStringLiteral("Frühstück"), rnd.bounded(10) < 7);
        rs.setValue(QStringLiteral("Wäsche1"), 6);
        rs.setValue(QStringLiteral("Wäsche2"), 3);
        rs.setValue(QStringLiteral("PreisProNacht"), ppn);
        rs.setValue(QStringLiteral("Preis"), ppn * naechte);
        if (rnd.bounded(4) == 0) rs.setValue(QStringLiteral("Info"), u(kInfos[rnd.bounded(int(std::size(kInfos)))]));
        rs.setValue(QStringLiteral("BelegNummer"), ++nummer);
        rs.setValue(QStringLiteral("BelegNummer_eigen"), QStringLiteral("%1-%2").arg(erstellt.year()).arg(nummer, 4, 10, QLatin1Char('0')));
        rs.setValue(QStringLiteral("Checked"), !b.warten && b.von <= stichtag);
        rs.setValue(QStringLiteral("Gelöscht"), b.warten);
        rs.setValue(QStringLiteral("Abgerechnet"), 0);
        rs.setValue(QStringLiteral("Abg_Temp"), QStringLiteral("Nein"));
        if (rnd.bounded(3) == 0)
            rs.setValue(QStringLiteral("Zahlart"), rnd.bounded(2) ? QStringLiteral("Bar") : QStringLiteral("EC-Karte"));
        rs.setValue(QStringLiteral("WerErstellt"), QStringLiteral("Beispiel"));
        rs.setValue(QStringLiteral("WannErstellt"), erstellt);
        rs.update();
        const int id = rs.lastModified(QStringLiteral("ID")).toInt();
        // A down payment on some of the firm future bookings.
        if (b.art == 2 && b.von > stichtag && ppn > 0 && rnd.bounded(2) == 0) {
            zahlung.addNew();
            zahlung.setValue(QStringLiteral("IDBelegung"), id);
            zahlung.setValue(QStringLiteral("ZahlDatum"), erstellt.addDays(2));
            zahlung.setValue(QStringLiteral("Betrag"), qRound(ppn * naechte * 0.3));
            zahlung.setValue(QStringLiteral("Zahlart"), QStringLiteral("Überweisung"));
            zahlung.setValue(QStringLiteral("WasBezahlt"), QStringLiteral("Anzahlung"));
            zahlung.update();
        }
    }
    t.commit();
}

}  // namespace tav::beispieldaten
