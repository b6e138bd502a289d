#include "invoice/Belegdruck.h"

#include "engine/Database.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "store/Parameter.h"

namespace tav {

Briefdaten Belegdruck::brief(int reNummer) {
    Briefdaten b;
    Parameter p(db_);
    QStringList bloecke;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Inhalt FROM tblTexte ORDER BY ID")); !rs.eof(); rs.moveNext())
        bloecke << rs.text(QStringLiteral("Inhalt"));
    b.absender = Absender::ausTextbloecken(bloecke, p.text(QStringLiteral("Steuernummer")));
    b.mitAdresse = !p.read(QStringLiteral("mitAdresse")) || p.readYesNo(QStringLiteral("mitAdresse"));

    Recordset re = db_.openRecordset(QStringLiteral("SELECT * FROM tbRechnungen WHERE ReNummer = ?"), {reNummer});
    if (re.eof()) return b;
    b.rechnungsdatum = re.value(QStringLiteral("DatumRe")).toDate();
    b.rechnungsnummer = re.text(QStringLiteral("Renummer_eigen"));
    b.zahlart = re.text(QStringLiteral("Zahlart"));
    b.rechnungstext = re.text(QStringLiteral("RE_TEXT1"));
    b.bezahltAm = re.value(QStringLiteral("BezahltDatumRe")).toDate();
    const auto ziele = p.read(QStringLiteral("Zahlungsziele"));
    b.zahlungszielTage = ziele ? ziele->integer(6) : 0;

    Recordset a = db_.openRecordset(QStringLiteral("SELECT Address.*, tbKreditkarte.Kreditkarte FROM Address LEFT JOIN tbKreditkarte ON "
                                                   "Address.IDKreditkarte = tbKreditkarte.IDKreditkarte WHERE Address.ID = ?"),
                                    {re.integer(QStringLiteral("IDAdresseRe"))});
    if (!a.eof()) {
        b.adressnummer = a.integer(QStringLiteral("ID"));
        b.anrede = a.text(QStringLiteral("Anrede"));
        b.adressbemerkung = a.text(QStringLiteral("BemerkAdr"));
        b.email = a.text(QStringLiteral("EMAIL"));
        b.fax = a.text(QStringLiteral("Tele-Fax"));
        const QDate kk = a.value(QStringLiteral("KKGültigBis")).toDate();
        b.kkGueltigBis = kk.isValid() ? kk.toString(QStringLiteral("MM/yy")) : QString();
        b.kkNummer = a.text(QStringLiteral("KKNummer"));
        b.kreditkarte = a.text(QStringLiteral("Kreditkarte"));
        b.land = a.text(QStringLiteral("Country"));
        b.nachname = a.text(QStringLiteral("Lastname"));
        b.name2 = a.text(QStringLiteral("CompanyName"));
        b.ort = a.text(QStringLiteral("city"));
        b.plz = a.text(QStringLiteral("postalcode"));
        b.plzPostfach = a.text(QStringLiteral("PLZPostfach"));
        b.postfach = a.text(QStringLiteral("Postfach"));
        b.strasse = a.text(QStringLiteral("Address"));
        b.vorname = a.text(QStringLiteral("Firstname"));
    }
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT DISTINCT tblBelegung.ID, tblBelegung.BelegNummer_eigen FROM tblBelegung WHERE "
                                                         "tblBelegung.ID IN (SELECT IDBelegung FROM tbRechnungen_zu_Posten WHERE IDRechnung = ? "
                                                         "UNION SELECT tbRePosten.IDBelegung FROM tbRePosten INNER JOIN tbRechnungen_zu_Posten "
                                                         "ON tbRePosten.IDRePosten = tbRechnungen_zu_Posten.IDPostenRe WHERE IDRechnung = ?) "
                                                         "ORDER BY tblBelegung.ID"),
                                          {reNummer, reNummer});
         !rs.eof(); rs.moveNext()) {
        const QString n = rs.text(QStringLiteral("BelegNummer_eigen")).trimmed();
        if (!n.isEmpty()) b.belegNummern << n;
    }
    return b;
}

QString Belegdruck::drucken(int reNummer, Dokumentart art, bool ohneVerpflegung, Detailergebnis* ergebnis) {
    const Briefdaten b = brief(reNummer);
    Steuerschluessel steuer(db_);
    Rechnungsdetail detail(db_, dialogs_, steuer, saisonaufteilung(db_, dialogs_));
    Rechnungsdetail::Optionen o;
    o.ohneVerpflegung = ohneVerpflegung;
    const Detailergebnis e = detail.Reservierungsdetail(reNummer, o);
    if (ergebnis) *ergebnis = e;

    DetailBeschriftung beschriftung;
    QString fehler;
    if (!Briefdatei::datei(b).save(files::join(ordner_, Briefdatei::kDateiname), &fehler) ||
        !ReDetailDatei::schreiben(ordner_, beschriftung, e.zeilen, &fehler)) {
        dialogs_.message(fehler.isEmpty() ? QStringLiteral("Die Daten des Dokuments konnten nicht geschrieben werden.") : fehler);
        return {};
    }
    const MergeResult m = Dokumentausgabe::ausgeben(art, ordner_);
    if (!m.ok) {
        dialogs_.message(m.message);
        return {};
    }
    return m.pdf;
}

}  // namespace tav
