#include "invoice/Formulardruck.h"

#include <QDir>
#include <QFile>

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "invoice/Rechnungsdetail.h"
#include "invoice/Rechnungsdruck.h"
#include "platform/Amounts.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "store/Parameter.h"

namespace tav {

Formulardruck::Formulardruck(Database& db, Dialogs& dialogs, const QString& programmordner)
    : db_(db), dialogs_(dialogs), ordner_(programmordner) {}

Dokumentart Formulardruck::dokumentart(Formular f) {
    switch (f) {
        case Formular::Angebot: return Dokumentart::Angebot;
        case Formular::Bestaetigung: return Dokumentart::ResBestaetigung;
        case Formular::Anmeldung: return Dokumentart::Anmeldung;
        case Formular::Rechnung: break;
    }
    return Dokumentart::Rechnung;
}

QString Formulardruck::postenTitel(Formular f, const QString& gastname) {
    switch (f) {
        case Formular::Angebot: return QStringLiteral("Weitere Posten für das Angebot");
        case Formular::Bestaetigung: return QStringLiteral("Weitere Posten für die Reservierung");
        case Formular::Anmeldung:
        case Formular::Rechnung: break;
    }
    return QStringLiteral("Posten für ") + gastname;
}

QString Formulardruck::gastname(int buchungId) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT Address.Firstname, Address.Lastname FROM tblBelegung INNER JOIN Address ON "
                                                    "tblBelegung.GastID = Address.ID WHERE tblBelegung.ID = ?"),
                                     {buchungId});
    if (rs.eof()) return {};
    return (rs.text(QStringLiteral("Firstname")) + QLatin1Char(' ') + rs.text(QStringLiteral("Lastname"))).trimmed();
}

bool Formulardruck::vorlageBereit(Formular f) {
    const QString vorlage = files::join(ordner_, Dokumentausgabe::vorlage(dokumentart(f)));
    QFile datei(vorlage);
    if (datei.open(QIODevice::ReadOnly)) return true;
    dialogs_.message(QStringLiteral("Das Programm 'Word' konnte nicht geöffnet werden.\nDie Vorlage %1 fehlt oder ist nicht lesbar.")
                         .arg(QDir::toNativeSeparators(vorlage)),
                     {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

Formulardaten Formulardruck::daten(int buchungId, const Zusatzposten& posten, const QDate& heute) {
    Formulardaten d;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tblBelegung.*, Address.Anrede, Address.Firstname, Address.Lastname, Address.CompanyName, "
                       "Address.Address AS Strasse, Address.city, Address.postalcode, Address.Country, Address.phone, "
                       "Address.[Tele-Fax], Address.EMAIL, tbLänder.Länder, tbZimmernummern.NeueNummer, tbZimmernummern.Bemerkungen, "
                       "tbBelegArten.BelegungsArt AS ArtName "
                       "FROM (((tblBelegung LEFT JOIN Address ON tblBelegung.GastID = Address.ID) "
                       "LEFT JOIN tbLänder ON Address.IDLand = tbLänder.ID) "
                       "LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) "
                       "LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID WHERE tblBelegung.ID = ?"),
        {buchungId});
    if (rs.eof()) return d;
    d.anrede = rs.text(QStringLiteral("Anrede"));
    d.vorname = rs.text(QStringLiteral("Firstname"));
    d.nachname = rs.text(QStringLiteral("Lastname"));
    d.name2 = rs.text(QStringLiteral("CompanyName"));
    d.firma = d.name2;
    d.strasse = rs.text(QStringLiteral("Strasse"));
    d.ort = rs.text(QStringLiteral("city"));
    d.plz = rs.text(QStringLiteral("postalcode"));
    d.land = rs.text(QStringLiteral("Länder"));
    if (d.land.isEmpty()) d.land = rs.text(QStringLiteral("Country"));
    d.telefon = rs.text(QStringLiteral("phone"));
    d.fax = rs.text(QStringLiteral("Tele-Fax"));
    d.email = rs.text(QStringLiteral("EMAIL"));
    d.zimmernummer = rs.text(QStringLiteral("NeueNummer"));
    d.beginn = rs.value(QStringLiteral("Von")).toDate();
    d.ende = rs.value(QStringLiteral("Bis")).toDate();
    d.kuerzel = rs.text(QStringLiteral("Kürzel"));
    d.belegungsart = rs.text(QStringLiteral("ArtName"));
    d.bemerkungen = rs.text(QStringLiteral("Info"));
    d.preisProNacht = rs.number(QStringLiteral("PreisProNacht"));
    d.naechte = rs.integer(QStringLiteral("AnzahlÜbernachtungen"));
    d.anzahlGaeste = rs.integer(QStringLiteral("AnzahlGäste"));
    d.kinder = rs.integer(QStringLiteral("Anz_Kinder"));
    d.fruehstueck = rs.yes(QStringLiteral("Frühstück"));
    d.mittag = rs.yes(QStringLiteral("Mittag"));
    d.abendessen = rs.yes(QStringLiteral("Abendessen"));
    d.zimmerbemerkung = rs.text(QStringLiteral("Bemerkungen"));
    d.zahlart = rs.text(QStringLiteral("Zahlart"));
    d.buchungsnummer = rs.text(QStringLiteral("BelegNummer_eigen"));
    d.datum = rs.value(QStringLiteral("WannErstellt")).toDate();

    Parameter p(db_);
    const auto wort = [&](const QString& satz, const QString& vorgabe) {
        const auto row = p.read(satz);
        return row && !row->text(1).isEmpty() ? row->text(1) : vorgabe;
    };
    d.einheiten = d.naechte == 1 ? wort(QStringLiteral("TextÜbernachtung"), QStringLiteral("Übernachtung"))
                                 : wort(QStringLiteral("TextÜbernachtungMZ"), QStringLiteral("Übernachtungen"));
    d.waehrung = wort(QStringLiteral("Währung"), QStringLiteral("€"));

    // The extras, in the dialog's order: telephone, mini bar, drinks, restaurant, other.
    Formularposten* ziel[] = {&d.telefonPosten, &d.minibar, &d.getraenke, &d.restaurant, &d.sonstiges};
    for (int i = 0; i < Zusatzposten::kAnzahl; ++i) {
        ziel[i]->text = posten.texte[size_t(i)];
        ziel[i]->betrag = amounts::parse(posten.betraege[size_t(i)]).value_or(0.0);
    }
    // The extras are added to the booking's total; its VAT at the standard rate of today.
    d.gesamtpreis = rs.number(QStringLiteral("Preis")) + posten.summe();
    d.gesamt = d.gesamtpreis;
    Steuerschluessel steuer(db_, dialogs_);
    const double satz = steuer.standardSatz(heute);
    d.netto = d.gesamt * 100.0 / (100.0 + satz);
    d.mwst = d.gesamt - d.netto;

    // The sender: the text blocks by name.
    d.absender1 = p.text(QStringLiteral("Absender1"));
    d.absender2 = p.text(QStringLiteral("Absender2"));
    d.absender3 = p.text(QStringLiteral("Absender3"));
    d.absender5 = p.text(QStringLiteral("Absender5"));
    d.senderPlz = p.text(QStringLiteral("PLZ"));
    d.senderTelefon = p.text(QStringLiteral("Telefon"));
    d.senderFax = p.text(QStringLiteral("FAX"));
    d.senderEmail = p.text(QStringLiteral("EMAIL"));
    d.senderInternet = p.text(QStringLiteral("Internet"));
    d.bank = p.text(QStringLiteral("Bank"));
    d.druckanzahl = QString::number(posten.ausdrucke);
    d.mitAbsender = Rechnungsdruck(db_, dialogs_).mitAdresse();
    d.vorschau = true;
    d.aktDatum = heute;

    Recordset z = db_.openRecordset(
        QStringLiteral("SELECT Max(ZahlDatum) AS Zuletzt, Sum(Betrag) AS Summe FROM tbZahlung WHERE IDBelegung = ?"), {buchungId});
    if (!z.eof()) {
        d.zahlDatum = z.value(QStringLiteral("Zuletzt")).toDate();
        d.zahlSumme = z.number(QStringLiteral("Summe"));
    }
    return d;
}

MergeResult Formulardruck::drucken(Formular f, int buchungId, const Zusatzposten& posten, const QString& dateiname, const QDate& heute) {
    MergeResult r;
    if (f == Formular::Rechnung) {
        QList<Rechnungsdetail::Zusatz> zusaetze;
        for (int i = 0; i < Zusatzposten::kAnzahl; ++i)
            zusaetze << Rechnungsdetail::Zusatz{posten.texte[size_t(i)], amounts::parse(posten.betraege[size_t(i)]).value_or(0.0)};
        r = Rechnungsdruck(db_, dialogs_).Schnellrechnung(buchungId, heute, zusaetze, posten.ausdrucke, ordner_, dateiname);
    } else {
        const Dokumentart art = dokumentart(f);
        if (Formulardatei::datei(daten(buchungId, posten, heute)).save(files::join(ordner_, Dokumentausgabe::datendatei(art)), &r.message))
            r = Dokumentausgabe::ausgeben(art, ordner_, dateiname);
    }
    if (!r.ok) dialogs_.message(r.message, {}, Buttons::Ok, Icon::Exclamation);
    return r;
}

}  // namespace tav
