#include "invoice/Briefdatei.h"

#include "platform/Dates.h"

namespace tav {

Absender Absender::ausTextbloecken(const QStringList& zeilen, const QString& steuernummer) {
    const auto row = [&zeilen](int n) { return zeilen.value(n - 1); };
    Absender a;
    a.anrede = row(1);
    a.name = row(2);
    a.strasse = row(3);
    a.plz = row(5);
    a.ort = row(6);
    a.telefon = row(7);
    a.fax = row(8);
    a.email = row(11);
    a.internet = row(12);
    a.brieftext = row(13);
    a.grussformel = row(14);
    a.betreff = row(15);
    a.bank = row(16);
    a.druckanzahl = row(17);
    a.steuernummer = steuernummer;
    return a;
}

const QStringList& Briefdatei::feldnamen() {
    static const QStringList namen = {
        QStringLiteral("AnredeAbs"),
        QStringLiteral("NameAbs"),
        QStringLiteral("StrasseAbs"),
        QStringLiteral("PLZAbs"),
        QStringLiteral("OrtAbs"),
        QStringLiteral("TelefonAbs"),
        QStringLiteral("FaxAbs"),
        QStringLiteral("EmailAbs"),
        QStringLiteral("InternetAbs"),
        QStringLiteral("BrieftextAbs"),
        QStringLiteral("GrußformelAbs"),
        QStringLiteral("BetreffAbs"),
        QStringLiteral("BankverbindungAbs"),
        QStringLiteral("Steuernummer"),
        QStringLiteral("Druckanzahl"),
        QStringLiteral("MitAbsender"),
        QStringLiteral("Adressnummer"),
        QStringLiteral("Anrede"),
        QStringLiteral("Adressbemerkung"),
        QStringLiteral("EMail"),
        QStringLiteral("FAX"),
        QStringLiteral("KKGültigBis"),
        QStringLiteral("KKNummer"),
        QStringLiteral("Freditkarte"),
        QStringLiteral("Land"),
        QStringLiteral("Nachname"),
        QStringLiteral("Name2"),
        QStringLiteral("Ort"),
        QStringLiteral("PLZ"),
        QStringLiteral("PLZPostfach"),
        QStringLiteral("Postfach"),
        QStringLiteral("Strasse"),
        QStringLiteral("Vorname"),
        QStringLiteral("Rechnungsdatum"),
        QStringLiteral("Rechnungsnummer"),
        QStringLiteral("Zahlart"),
        QStringLiteral("Zahlungsziel"),
        QStringLiteral("Rechungstext"),
        QStringLiteral("BezahltAm"),
        QStringLiteral("BelNummern"),
    };
    return namen;
}

int Briefdatei::druckanzahl(const QString& block) {
    bool zahl = false;
    const int n = block.trimmed().toInt(&zahl);
    if (!zahl || n < 1) return 1;
    return n > 10 ? 2 : n;
}

QString Briefdatei::zahlungsziel(int tage) {
    return tage == 0 ? QStringLiteral("Zahlungsziel: sofort ohne Abzug")
                     : QStringLiteral("Zahlungsziel: ") + QString::number(tage) + QStringLiteral(" Tage ohne Abzug");
}

QString Briefdatei::wahrheitswert(bool wert) { return wert ? QStringLiteral("Wahr") : QStringLiteral("Falsch"); }

DataFile Briefdatei::datei(const Briefdaten& d) {
    const Absender& a = d.absender;
    DataFile f;
    f.addLine(feldnamen().join(QLatin1Char(';')));
    DataFile::Record r;
    r.plain(a.anrede).plain(a.name).plain(a.strasse).plain(a.plz).plain(a.ort).plain(a.telefon).plain(a.fax).plain(a.email);
    r.plain(a.internet).quoted(a.brieftext).plain(a.grussformel).plain(a.betreff).plain(a.bank);
    r.plain(a.steuernummer.isEmpty() ? QString() : QStringLiteral("Steuernummer: ") + a.steuernummer);
    r.plain(QStringLiteral("Druckanzahl=") + QString::number(druckanzahl(a.druckanzahl)));
    r.plain(wahrheitswert(d.mitAdresse));
    r.plain(QStringLiteral("%1").arg(d.adressnummer, 4, 10, QLatin1Char('0')));
    r.plain(d.anrede).plain(d.adressbemerkung).plain(d.email).plain(d.fax).plain(d.kkGueltigBis).plain(d.kkNummer);
    r.plain(d.kreditkarte).plain(d.land).plain(d.nachname).plain(d.name2).plain(d.ort).plain(d.plz).plain(d.plzPostfach);
    r.plain(d.postfach).plain(d.strasse).plain(d.vorname);
    r.plain(d.rechnungsdatum.isValid() ? dates::longDate(d.rechnungsdatum) : QString());
    r.plain(d.rechnungsnummer).plain(d.zahlart).plain(zahlungsziel(d.zahlungszielTage)).plain(d.rechnungstext);
    r.plain(d.bezahltAm.isValid() ? dates::longDate(d.bezahltAm) : QString());
    r.plain(d.belegNummern.join(QStringLiteral(", ")));
    f.add(r);
    return f;
}

}  // namespace tav
