#include "invoice/Musterdaten.h"

#include <QMap>

#include "platform/Files.h"

namespace tav {

namespace {

Absender absender() {
    Absender a;
    a.anrede = QStringLiteral("Landhotel Lindenhof");
    a.name = QStringLiteral("Familie Berger · Hotel garni");
    a.strasse = QStringLiteral("Am Lindenplatz 4");
    a.plz = QStringLiteral("83471");
    a.ort = QStringLiteral("Schönau am Königssee");
    a.telefon = QStringLiteral("08652 4711-0");
    a.fax = QStringLiteral("08652 4711-99");
    a.email = QStringLiteral("info@lindenhof-schoenau.de");
    a.internet = QStringLiteral("www.lindenhof-schoenau.de");
    a.brieftext = QStringLiteral("Wir wünschen Ihnen eine angenehme Heimreise\r\nund freuen uns auf Ihren nächsten Besuch.");
    a.grussformel = QStringLiteral("Mit freundlichen Grüßen");
    a.betreff = QStringLiteral("Ihr Aufenthalt vom %1 bis %2");
    a.bank = QStringLiteral("Sparkasse Berchtesgadener Land, IBAN DE12 7105 0000 0020 1234 56, BIC BYLADEM1BGL");
    a.steuernummer = QStringLiteral("165/123/45678");
    a.druckanzahl = QStringLiteral("2");
    return a;
}

}  // namespace

Briefdaten Musterdaten::brief(const QDate& datum) {
    Briefdaten b;
    b.absender = absender();
    b.absender.betreff =
        b.absender.betreff.arg(datum.addDays(-2).toString(QStringLiteral("dd.MM.yyyy")), datum.toString(QStringLiteral("dd.MM.yyyy")));
    b.adressnummer = 4182;
    b.anrede = QStringLiteral("Frau");
    b.vorname = QStringLiteral("Dr. Johanna");
    b.nachname = QStringLiteral("Weißgerber");
    b.name2 = QStringLiteral("Weißgerber & Söhne GmbH");
    b.strasse = QStringLiteral("Rosenheimer Straße 118");
    b.plz = QStringLiteral("81669");
    b.ort = QStringLiteral("München");
    b.land = QStringLiteral("Deutschland");
    b.rechnungsdatum = datum;
    b.rechnungsnummer = QStringLiteral("R-2026-0815");
    b.zahlart = QStringLiteral("Überweisung");
    b.zahlungszielTage = 14;
    b.belegNummern = {QStringLiteral("B-2026-1201"), QStringLiteral("B-2026-1202")};
    return b;
}

QList<Detailzeile> Musterdaten::rechnungszeilen(const QDate& datum) {
    const QDate von = datum.addDays(-2);
    QList<Detailzeile> z;
    auto nacht = [&](const QString& zimmer, double preis, const QString& vorname, const QString& nachname, int gaeste, int kinder,
                     const QString& verpflegung) {
        Detailzeile n;
        n.code = QStringLiteral("B");
        n.von = von;
        n.bis = datum;
        n.menge = 2;
        n.einzelpreis = preis;
        n.gesamtpreis = 2 * preis;
        n.mwst = 7;
        n.artikel = QStringLiteral("Übernachtungen");
        n.zimmernummer = QStringLiteral("Zimmer ") + zimmer;
        n.belegungsart = QStringLiteral("Reservierung");
        z << n;
        Detailzeile u;
        u.code = QStringLiteral("U");
        u.fruehstueck = verpflegung;
        u.gastVorname = vorname;
        u.gastNachname = nachname;
        u.anzahlGaeste = kinder == 0 ? QStringLiteral("\nGästezahl: %1").arg(gaeste)
                                     : QStringLiteral("\nGästezahl: %1 Erw./ %2 %3")
                                           .arg(gaeste - kinder)
                                           .arg(kinder)
                                           .arg(kinder == 1 ? QStringLiteral("Kind") : QStringLiteral("Kinder"));
        z << u;
    };
    auto posten = [&](const QString& artikel, const QString& bemerkung, double menge, double preis) {
        Detailzeile p;
        p.code = QStringLiteral("Z");
        p.von = von.addDays(1);
        p.artikel = artikel;
        p.bemerkung = bemerkung;
        p.menge = menge;
        p.einzelpreis = preis;
        p.gesamtpreis = menge * preis;
        p.mwst = 19;
        z << p;
    };
    auto summe = [&](const QString& code, const QString& text, double betrag) {
        Detailzeile s;
        s.code = code;
        s.artikel = text;
        s.gesamtpreis = betrag;
        s.waehrung = QStringLiteral("EUR");
        z << s;
    };

    nacht(QStringLiteral("12 (Doppelzimmer Talblick)"), 189.0, QStringLiteral("Johanna"), QStringLiteral("Weißgerber"), 2, 0,
          QStringLiteral("mit Frühstück"));
    nacht(QStringLiteral("14 (Familiensuite)"), 395.0, QStringLiteral("Markus"), QStringLiteral("Weißgerber"), 3, 1,
          QStringLiteral("mit Halbpension"));
    posten(QStringLiteral("Getränke Minibar"), QStringLiteral("Zimmer 14"), 1, 36.5);
    posten(QStringLiteral("Stellplatz Tiefgarage"), QStringLiteral("je Nacht"), 2, 14.0);

    // Totals as the item table computes them: nets per rate, the discount on the net.
    QMap<double, double> netto, steuer;
    double brutto = 0;
    for (const Detailzeile& l : z)
        if (l.code == QLatin1String("B") || l.code == QLatin1String("Z")) {
            const double n = l.gesamtpreis * 100.0 / (100.0 + l.mwst);
            netto[l.mwst] += n;
            steuer[l.mwst] += l.gesamtpreis - n;
            brutto += l.gesamtpreis;
        }
    double nettoSumme = 0;
    for (double n : netto) nettoSumme += n;
    const double rabatt = 4;
    summe(QStringLiteral("C"), QStringLiteral("Zwischensumme:"), brutto);
    summe(QStringLiteral("N"), QStringLiteral("Nettobetrag:"), nettoSumme);
    summe(QStringLiteral("R"), QStringLiteral("Stammgastrabatt 4 % "), -nettoSumme * rabatt / 100.0);
    double nachRabatt = 0, mwstSumme = 0;
    for (auto it = netto.begin(); it != netto.end(); ++it) {
        nachRabatt += it.value() * (100.0 - rabatt) / 100.0;
        mwstSumme += steuer[it.key()] * (100.0 - rabatt) / 100.0;
    }
    summe(QStringLiteral("N"), QStringLiteral("Nettobetrag:"), nachRabatt);
    for (auto it = steuer.begin(); it != steuer.end(); ++it)
        summe(QStringLiteral("M"), QString::number(it.key()) + QStringLiteral("%") + QStringLiteral(" MwSt"),
              it.value() * (100.0 - rabatt) / 100.0);
    summe(QStringLiteral("G"), QStringLiteral("MwSt Gesamt:"), mwstSumme);
    const double gesamt = nachRabatt + mwstSumme;
    summe(QStringLiteral("G"), QStringLiteral("Gesamtbetrag:"), gesamt);

    summe(QStringLiteral("A"), QStringLiteral("Zahlungen:"), 0);
    Detailzeile zahlung;
    zahlung.code = QStringLiteral("A");
    zahlung.artikel = QStringLiteral("Anzahlung");
    zahlung.bemerkung =
        QStringLiteral(" am ") + datum.addDays(-30).toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" (Überweisung)");
    zahlung.gesamtpreis = 400.0;
    z << zahlung;
    summe(QStringLiteral("A"), QStringLiteral("Summe Zahlungen:"), 400.0);
    summe(QStringLiteral("A"), QStringLiteral("noch zu zahlen:"), gesamt - 400.0);
    return z;
}

Formulardaten Musterdaten::formular(const QDate& datum) {
    const Absender a = absender();
    Formulardaten f;
    f.anrede = QStringLiteral("Frau");
    f.vorname = QStringLiteral("Dr. Johanna");
    f.nachname = QStringLiteral("Weißgerber");
    f.strasse = QStringLiteral("Rosenheimer Straße 118");
    f.plz = QStringLiteral("81669");
    f.ort = QStringLiteral("München");
    f.land = QStringLiteral("Deutschland");
    f.telefon = QStringLiteral("089 123456");
    f.email = QStringLiteral("j.weissgerber@example.de");
    f.zimmernummer = QStringLiteral("12");
    f.beginn = datum.addDays(28);
    f.ende = datum.addDays(31);
    f.kuerzel = QStringLiteral("Weißgerber Juli");
    f.belegungsart = QStringLiteral("Reservierung");
    f.bemerkungen = QStringLiteral("Anreise gegen 18 Uhr, ruhiges Zimmer erbeten");
    f.naechte = 3;
    f.preisProNacht = 189.0;
    f.gesamtpreis = 567.0;
    f.einheiten = QStringLiteral("Übernachtungen");
    f.anzahlGaeste = 3;
    f.kinder = 1;
    f.fruehstueck = true;
    f.abendessen = true;
    f.zimmerbemerkung = QStringLiteral("Doppelzimmer Talblick mit Zustellbett");
    f.zahlart = QStringLiteral("Überweisung");
    f.buchungsnummer = QStringLiteral("B-2026-1240");
    f.datum = datum;
    f.sonstiges = {QStringLiteral("Kinderbett"), 30.0};
    f.gesamt = 597.0;
    f.netto = 567.0 / 1.07 + 30.0 / 1.19;
    f.mwst = f.gesamt - f.netto;
    f.absender1 = a.anrede;
    f.absender2 = a.name;
    f.absender3 = a.strasse;
    f.absender5 = a.ort;
    f.senderPlz = a.plz;
    f.senderTelefon = a.telefon;
    f.senderFax = a.fax;
    f.senderEmail = a.email;
    f.senderInternet = a.internet;
    f.bank = a.bank;
    f.druckanzahl = a.druckanzahl;
    f.aktDatum = datum;
    f.zahlDatum = datum;
    f.zahlSumme = 150.0;
    return f;
}

bool Musterdaten::schreiben(const QString& ordner, const QDate& datum, QString* fehler) {
    const Formulardaten f = formular(datum);
    return Briefdatei::datei(brief(datum)).save(files::join(ordner, Briefdatei::kDateiname), fehler) &&
           ReDetailDatei::schreiben(ordner, DetailBeschriftung{}, rechnungszeilen(datum), fehler) &&
           Formulardatei::datei(f).save(files::join(ordner, Formulardatei::kAngebot), fehler) &&
           Formulardatei::datei(f).save(files::join(ordner, Formulardatei::kBestaetigung), fehler);
}

}  // namespace tav
