#include "invoice/Formulardatei.h"

#include "invoice/Briefdatei.h"
#include "platform/Amounts.h"
#include "platform/Dates.h"

namespace tav {

const QString& Formulardatei::kopfzeile() {
    // Six pieces joined without separators between them.
    static const QString kopf =
        QStringLiteral(
            "Anrede;Zimmernummer;VorName;Nachname;Name2;Firma;Strasse;Ort;PLZ;Land;Telefon;FAX;Email;Beginn;Ende;Kuerzel;"
            "BelegungsArt;Bemerkungen;GesamtPreis;PreisProNacht;AnzahlUebernachtungen;TEXT5;BAnk;TEXT1;TEXT2;TEXT3") +
        QStringLiteral(";Getraenke;GetraenkeText;MiniBar;MiniBarTExt;Restaurant;RestaurantText;Sonstiges;SonstigesText;") +
        QStringLiteral("TelefonBetrag;TelefonText;TelefonAbs;FaxAbs;EmailAbs;InternetAbs;Druckanzahl;GesamtDM;GesamtEuro;") +
        QStringLiteral("MWSTDM;MWSTEuro;PLZAbs;Waehrung;Einheiten;Vorschau;AnzahlGäste;MitAbsender;AktDatum;Frühstück;") +
        QStringLiteral("Zimmerbemerkung;NettoBEtragDM;NettobetragEUro;Zahlart;BuchungsNummer;Kinder;") +
        QStringLiteral("Datum;Anz_Erw;Verpflegung;ZahlDatum;ZahlSumme");
    return kopf;
}

QString Formulardatei::verpflegung(bool f, bool m, bool a) {
    if (f && m && a) return QStringLiteral(" mit Vollpension");
    if (f && m) return QStringLiteral(" mit Frühstück und Mittagessen");
    if (f && a) return QStringLiteral(" mit Halbpension");
    if (m && a) return QStringLiteral(" mit Mittag- und Abendessen");
    if (f) return QStringLiteral(" mit Frühstück");
    if (m) return QStringLiteral(" mit Mittagessen");
    if (a) return QStringLiteral(" mit Abendessen");
    return {};
}

DataFile Formulardatei::datei(const Formulardaten& d) {
    const auto datum = [](const QDate& t) { return t.isValid() ? dates::longDate(t) : QString(); };
    // Amounts of the extras stay empty when there is none, so that a template can leave the line out.
    const auto posten = [](double b) { return b == 0.0 ? QString() : amounts::format(b); };
    DataFile f;
    f.addLine(kopfzeile());
    DataFile::Record r;
    r.plain(d.anrede).plain(d.zimmernummer).plain(d.vorname).plain(d.nachname).plain(d.name2).plain(d.firma).plain(d.strasse);
    r.plain(d.ort).plain(d.plz).plain(d.land).plain(d.telefon).plain(d.fax).plain(d.email).plain(datum(d.beginn));
    r.plain(datum(d.ende)).plain(d.kuerzel).plain(d.belegungsart).plain(d.bemerkungen).plain(amounts::format(d.gesamtpreis));
    r.plain(amounts::format(d.preisProNacht)).plain(QString::number(d.naechte)).plain(d.absender5).plain(d.bank);
    r.plain(d.absender1).plain(d.absender2).plain(d.absender3);
    r.plain(posten(d.getraenke.betrag)).plain(d.getraenke.text).plain(posten(d.minibar.betrag)).plain(d.minibar.text);
    r.plain(posten(d.restaurant.betrag)).plain(d.restaurant.text).plain(posten(d.sonstiges.betrag)).plain(d.sonstiges.text);
    r.plain(posten(d.telefonPosten.betrag)).plain(d.telefonPosten.text);
    r.plain(d.senderTelefon).plain(d.senderFax).plain(d.senderEmail).plain(d.senderInternet);
    r.plain(QStringLiteral("Druckanzahl=") + QString::number(Briefdatei::druckanzahl(d.druckanzahl)));
    // The amounts in DM belong to the time before the euro and stay empty.
    r.plain(QString()).plain(amounts::format(d.gesamt)).plain(QString()).plain(amounts::format(d.mwst));
    r.plain(d.senderPlz).plain(d.waehrung).plain(d.einheiten).plain(Briefdatei::wahrheitswert(d.vorschau));
    r.plain(QString::number(d.anzahlGaeste)).plain(Briefdatei::wahrheitswert(d.mitAbsender)).plain(datum(d.aktDatum));
    r.plain(Briefdatei::wahrheitswert(d.fruehstueck)).plain(d.zimmerbemerkung).plain(QString()).plain(amounts::format(d.netto));
    r.plain(d.zahlart).plain(d.buchungsnummer).plain(QString::number(d.kinder)).plain(datum(d.datum));
    r.plain(QString::number(d.anzahlGaeste - d.kinder)).plain(verpflegung(d.fruehstueck, d.mittag, d.abendessen));
    r.plain(datum(d.zahlDatum)).plain(d.zahlSumme == 0.0 ? QString() : amounts::format(d.zahlSumme));
    f.add(r);
    return f;
}

}  // namespace tav
