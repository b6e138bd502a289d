#include "store/Erstausstattung.h"

#include <QVariant>

#include "engine/Database.h"
#include "store/Parameter.h"

namespace tav::erstausstattung {

namespace {

struct Raum {
    int nummer;
    const char* label;
    const char* bemerkung;
    int gaeste;
};

// In the order they are written.
const Raum kRaeume[] = {
    {6, "202", "Doppelzimmer mit Bad", 2},
    {7, "203", "Einzelzimmer mit WC", 1},
    {10, "Vorläufig", "nimmt alle Reservierungen auf, die noch nicht sicher sind.", 1},
    {9, "301", "Appartement mit Bad", 4},
    {8, "204", "Hochzeitssuite", 2},
    {1, "101", "Einzelzimmer mit Bad", 1},
    {2, "102", "Doppelzimmer ohne Bad", 2},
    {3, "103", "Doppelzimmer mit Duche und WC", 2},
    {4, "104", "Einzelzimmer", 1},
    {5, "201", "Dreibettzimmer mit Dusche", 3},
};

struct Text {
    const char* key;
    const char* inhalt;
};

// The letters read the sender rows by their position in this order (house, family, street,
// postcode, town, telephone, fax, e-mail, internet, letter text, greeting, subject, bank), so the
// rows are written in it.
const Text kTexte[] = {
    {"Absender1", "Gasthof Zur Linde"},
    {"Absender2", "Familie Muster"},
    {"Absender3", "Lindenstraße 5"},
    {"Absender4", "Telefon 01234 567890"},
    {"PLZ", "12345"},
    {"Absender5", "Musterstadt"},
    {"Telefon", "01234 567890"},
    {"FAX", "01234 567891"},
    {"Adresse", "An"},
    {"Anrede", "Sehr geehrte(r) Frau/Herr"},
    {"EMAIL", "info@gasthof-zur-linde.example"},
    {"Internet", "www.gasthof-zur-linde.example"},
    {"Brieftext", "Wir wünschen Ihnen eine angenehme Heimreise."},
    {"Grußformel", "Mit freundlichen Grüßen"},
    {"Betreff", "Zimmerreservierung"},
    {"Bank", "Musterbank Musterstadt, IBAN DE00 1234 5678 9012 3456 78"},
    {"DruckAnzahl", "2"},
    {"WordProgramm", "Ja"},
};

QString u(const char* s) { return QString::fromUtf8(s); }

void setze(Parameter& p, const QString& satz, const QStringList& werte) {
    QList<QPair<int, QVariant>> fields;
    for (int i = 0; i < werte.size(); ++i) fields << qMakePair(i + 1, QVariant(werte[i]));
    p.write(satz, fields);
}

}  // namespace

QString beispielArt1() { return QStringLiteral("Reserviert"); }
QString beispielArt2() { return QStringLiteral("Fest gebucht"); }

QStringList spaltenBeschriftungen() {
    return {QStringLiteral("&Checked in"),
            QStringLiteral("Vorname"),
            QStringLiteral("Nachname"),
            QStringLiteral("Name 2"),
            QStringLiteral("Straße"),
            QStringLiteral("Ort"),
            QStringLiteral("Land"),
            QStringLiteral("E-Mail"),
            QStringLiteral("Telefon"),
            QStringLiteral("FAX"),
            QStringLiteral("Personen"),
            QStringLiteral("Von"),
            QStringLiteral("Bis"),
            QStringLiteral("Zimmer"),
            QStringLiteral("Zusatzspalte 1"),
            QStringLiteral("Zusatzspalte 2"),
            QStringLiteral("Bemerkungen"),
            QStringLiteral("Abkürzung"),
            QStringLiteral("Einzelpreis"),
            QStringLiteral("Gesamtpreis"),
            QStringLiteral("Anzahl der Tage"),
            QStringLiteral("Vorläufige Reservierung"),
            QStringLiteral("ID")};
}

QStringList spaltenBreiten() {
    QStringList breiten;
    for (int i = 1; i <= 23; ++i)
        breiten << (i == 6    ? QStringLiteral("660")
                    : i == 7  ? QStringLiteral("1275")
                    : i == 11 ? QStringLiteral("1650")
                              : QStringLiteral("1200"));
    return breiten;
}

void neueDatenbankFuellen(Database& db) {
    Transaction t(db);
    db.execute(QStringLiteral("DELETE * FROM tbZusätze"));
    db.execute(QStringLiteral("DELETE * FROM tbZimmernummern"));
    db.execute(QStringLiteral("DELETE * FROM tblTexte"));
    db.execute(QStringLiteral("DELETE * FROM tbBelegArten"));

    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbZimmernummern"));
        for (const Raum& r : kRaeume) {
            rs.addNew();
            rs.setValue(QStringLiteral("Zimmernummer"), r.nummer);
            rs.setValue(QStringLiteral("NeueNummer"), u(r.label));
            rs.setValue(QStringLiteral("Bemerkungen"), u(r.bemerkung));
            rs.setValue(QStringLiteral("AnzahlGästeDefault"), r.gaeste);
            rs.update();
        }
    }
    {
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tblTexte"));
        for (const Text& x : kTexte) {
            rs.addNew();
            rs.setValue(QStringLiteral("Textbaustein"), u(x.key));
            rs.setValue(QStringLiteral("Inhalt"), u(x.inhalt));
            rs.update();
        }
    }
    {
        const QVariant kinds[] = {QStringLiteral("Frei"),
                                  beispielArt1(),
                                  beispielArt2(),
                                  QStringLiteral("Tresen"),
                                  QStringLiteral("Angebot"),
                                  QVariant(),
                                  QVariant(),
                                  QVariant(),
                                  QVariant()};
        Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM tbBelegArten"));
        for (int id = 0; id < 9; ++id) {
            rs.addNew();
            rs.setValue(QStringLiteral("BelegungsID"), id);
            rs.setValue(QStringLiteral("BelegungsArt"), kinds[id]);
            rs.update();
        }
    }

    Parameter p(db);
    setze(p, QStringLiteral("Räumlichkeiten"), {QStringLiteral("9")});
    setze(p, QStringLiteral("Belegungsarten"),
          {QStringLiteral("frei"), beispielArt1(), beispielArt2(), QStringLiteral("Tresen"), QStringLiteral("Angebot")});
    setze(p, QStringLiteral("Beschriftungen"), {QStringLiteral("Reserviert von:"), QStringLiteral("Zimmer")});
    setze(p, QStringLiteral("Farben"),
          {QStringLiteral("9399613"), QStringLiteral("16742405"), QStringLiteral("16762112"), QStringLiteral("16773888"),
           QStringLiteral("16056285")});
    setze(p, QStringLiteral("SpaltenBeschriftung"), spaltenBeschriftungen());
    setze(p, QStringLiteral("Spaltenbreiten"), spaltenBreiten());
    setze(p, QStringLiteral("ZeitDarstellung"), {QStringLiteral("35"), QStringLiteral("2")});
    setze(p, QStringLiteral("ZimVonBis"), {QStringLiteral("1"), QStringLiteral("10")});
    if (!p.read(QStringLiteral("Währung"))) setze(p, QStringLiteral("Währung"), {QStringLiteral("€")});
    t.commit();
}

bool wordInGebrauch(Database& db) {
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT tblTexte.Textbaustein, tblTexte.Inhalt  From tblTexte WHERE (((tblTexte.Textbaustein)='WordProgramm'));"));
    for (; !rs.eof(); rs.moveNext())
        if (rs.text(QStringLiteral("Inhalt")) == QLatin1String("Ja")) return true;
    return false;
}

}  // namespace tav::erstausstattung
