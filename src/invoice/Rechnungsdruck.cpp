#include "invoice/Rechnungsdruck.h"

#include "platform/Dates.h"

#include <QDir>
#include <QFileInfo>

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "invoice/Dokumentausgabe.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "store/Parameter.h"

namespace tav {

namespace {

// The system's texts for a truth value (TblHilfeDarstellung); "Ja" and "Nein" without them.
QString wahrText(Database& db, bool wert) {
    const QVariant t = db.scalar(QStringLiteral("SELECT Beschreibung FROM TblHilfeDarstellung WHERE WahrNichtWahr = ?"), {wert ? -1 : 0});
    const QString s = t.toString();
    return s.isEmpty() ? (wert ? QStringLiteral("Ja") : QStringLiteral("Nein")) : s;
}

QString datumText(const QVariant& v) { return v.isNull() ? QString() : dates::longDate(v.toDate()); }

}  // namespace

Rechnungsdruck::Rechnungsdruck(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

std::optional<int> Rechnungsdruck::dokumentSuchen(const QString& eingabe) {
    const QString text = eingabe.trimmed();
    if (text.isEmpty()) return std::nullopt;
    const QVariant nach = db_.scalar(QStringLiteral("SELECT ReNummer FROM tbRechnungen WHERE Renummer_eigen = ?"), {text});
    if (!nach.isNull()) return nach.toInt();
    bool zahl = false;
    const int schluessel = text.toInt(&zahl);
    if (!zahl) return std::nullopt;
    const QVariant da = db_.scalar(QStringLiteral("SELECT ReNummer FROM tbRechnungen WHERE ReNummer = ?"), {schluessel});
    if (da.isNull()) return std::nullopt;
    return da.toInt();
}

QString Rechnungsdruck::vorlage(int reNummer) {
    const QChar art =
        belegBuchstabe(db_.scalar(QStringLiteral("SELECT IST_Rechnung FROM tbRechnungen WHERE ReNummer = ?"), {reNummer}).toString());
    if (art == QLatin1Char('A')) return Dokumentausgabe::vorlage(Dokumentart::AngebotEditor);
    if (art == QLatin1Char('B')) return Dokumentausgabe::vorlage(Dokumentart::BestaetigungEditor);
    return Dokumentausgabe::vorlage(Dokumentart::RechnungEditor);
}

Absender Rechnungsdruck::absender() {
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tblTexte WHERE Inhalt Is Null")).toInt() > 0)
        db_.execute(QStringLiteral("UPDATE tblTexte SET tblTexte.Inhalt = '' WHERE (((tblTexte.Inhalt) Is Null));"));
    Parameter p(db_);
    if (!p.hasText(QStringLiteral("Steuernummer"))) p.writeText(QStringLiteral("Steuernummer"), QString());
    QStringList inhalte;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Inhalt FROM tblTexte ORDER BY ID")); !rs.eof(); rs.moveNext())
        inhalte << rs.text(QStringLiteral("Inhalt"));
    return Absender::ausTextbloecken(inhalte, p.text(QStringLiteral("Steuernummer")).trimmed());
}

bool Rechnungsdruck::mitAdresse() {
    Parameter p(db_);
    const auto row = p.read(QStringLiteral("mitAdresse"));
    if (!row) {
        p.write(QStringLiteral("mitAdresse"), {{1, wahrText(db_, true)}});
        return true;
    }
    const QString f1 = row->text(1).trimmed();
    return f1.compare(wahrText(db_, true), Qt::CaseInsensitive) == 0 || f1.compare(QStringLiteral("Ja"), Qt::CaseInsensitive) == 0 ||
           f1.compare(QStringLiteral("Wahr"), Qt::CaseInsensitive) == 0 || f1.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0 ||
           f1 == QLatin1String("-1");
}

bool Rechnungsdruck::adresseLesen(int adressId, Briefdaten& b) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT Address.*, tbKreditkarte.Kreditkarte, tbLänder.Länder "
                                                    "FROM (Address LEFT JOIN tbKreditkarte ON Address.IDKreditkarte = "
                                                    "tbKreditkarte.IDKreditkarte) LEFT JOIN tbLänder ON Address.IDLand = tbLänder.ID "
                                                    "WHERE Address.ID = ?"),
                                     {adressId});
    if (rs.eof()) return false;
    b.adressnummer = rs.text(QStringLiteral("Adressnummer")).trimmed().toInt();
    b.anrede = rs.text(QStringLiteral("Anrede"));
    b.adressbemerkung = rs.text(QStringLiteral("BemerkAdr"));
    b.email = rs.text(QStringLiteral("EMAIL"));
    b.fax = rs.text(QStringLiteral("Tele-Fax"));
    b.kkGueltigBis = datumText(rs.value(QStringLiteral("KKGültigBis")));
    b.kkNummer = rs.text(QStringLiteral("KKNummer"));
    b.kreditkarte = rs.text(QStringLiteral("Kreditkarte"));
    b.land = rs.text(QStringLiteral("Länder"));
    if (b.land.isEmpty()) b.land = rs.text(QStringLiteral("Country"));
    b.nachname = rs.text(QStringLiteral("Lastname"));
    b.name2 = rs.text(QStringLiteral("CompanyName"));
    b.ort = rs.text(QStringLiteral("city"));
    b.plz = rs.text(QStringLiteral("postalcode"));
    b.plzPostfach = rs.text(QStringLiteral("PLZPostfach"));
    b.postfach = rs.text(QStringLiteral("Postfach"));
    b.strasse = rs.text(QStringLiteral("Address"));
    b.vorname = rs.text(QStringLiteral("Firstname"));
    return true;
}

std::optional<Briefdaten> Rechnungsdruck::briefdaten(int reNummer) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbRechnungen WHERE ReNummer = ?"), {reNummer});
    if (rs.eof()) return std::nullopt;
    Briefdaten b;
    b.absender = absender();
    b.mitAdresse = mitAdresse();
    adresseLesen(rs.integer(QStringLiteral("IDAdresseRe")), b);
    b.rechnungsdatum = rs.value(QStringLiteral("DatumRe")).toDate();
    b.rechnungsnummer = rs.text(QStringLiteral("Renummer_eigen"));
    b.zahlart = rs.text(QStringLiteral("Zahlart"));
    const auto ziele = Parameter(db_).read(QStringLiteral("Zahlungsziele"));
    b.zahlungszielTage = ziele ? ziele->integer(6) : 0;
    b.rechnungstext = rs.text(QStringLiteral("RE_TEXT1"));
    b.bezahltAm = rs.value(QStringLiteral("BezahltDatumRe")).toDate();
    // The printed numbers of the bookings: those linked and those behind the linked items.
    for (Recordset l = db_.openRecordset(
             QStringLiteral("SELECT tblBelegung.BelegNummer_eigen FROM tblBelegung WHERE tblBelegung.ID IN "
                            "(SELECT IDBelegung FROM tbRechnungen_zu_Posten WHERE IDRechnung = ? AND IDBelegung > 0 "
                            "UNION SELECT tbRePosten.IDBelegung FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten ON "
                            "tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten WHERE tbRechnungen_zu_Posten.IDRechnung = ?) "
                            "ORDER BY tblBelegung.ID"),
             {reNummer, reNummer});
         !l.eof(); l.moveNext()) {
        const QString n = l.text(QStringLiteral("BelegNummer_eigen")).trimmed();
        if (!n.isEmpty() && !b.belegNummern.contains(n)) b.belegNummern << n;
    }
    return b;
}

DetailBeschriftung Rechnungsdruck::beschriftung() {
    Parameter p(db_);
    DetailBeschriftung b;
    b.zimmer = p.columnLabel(QStringLiteral("F2"));
    const auto waehrung = p.read(QStringLiteral("Währung"));
    if (waehrung && !waehrung->text(1).isEmpty()) b.waehrung = waehrung->text(1);
    const auto mz = p.read(QStringLiteral("TextÜbernachtungMZ"));
    if (mz && !mz->text(1).isEmpty()) b.naechte = mz->text(1);
    return b;
}

bool Rechnungsdruck::DruckenRechnung(int reNummer, const QString& ordner, QString* fehler, Detailergebnis* detail) {
    const std::optional<Briefdaten> brief = briefdaten(reNummer);
    if (!brief) {
        if (fehler) *fehler = QStringLiteral("Das Dokument mit dem Schlüssel %1 gibt es nicht.").arg(reNummer);
        return false;
    }
    Steuerschluessel steuer(db_, dialogs_);
    Rechnungsdetail builder(db_, dialogs_, steuer, saisonaufteilung(db_, dialogs_));
    const Detailergebnis e = builder.Reservierungsdetail(reNummer);
    if (detail) *detail = e;
    if (!ReDetailDatei::schreiben(ordner, beschriftung(), e.zeilen, fehler)) return false;
    return Briefdatei::datei(*brief).save(files::join(ordner, Briefdatei::kDateiname), fehler);
}

MergeResult Rechnungsdruck::ausgeben(int reNummer, const QString& programmordner, const QString& datenordner, const QString& dokument,
                                     const QString& pdf) {
    MergeResult r;
    if (!DruckenRechnung(reNummer, datenordner, &r.message)) return r;
    return mailMerge(files::join(programmordner, vorlage(reNummer)), files::join(datenordner, Briefdatei::kDateiname), dokument, pdf);
}

MergeResult Rechnungsdruck::Schnellrechnung(int buchungId, const QDate& datum, const QList<Rechnungsdetail::Zusatz>& zusaetze,
                                            int ausdrucke, const QString& programmordner, const QString& dateiname) {
    MergeResult r;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT GastID, IDAdressRechnung, BelegNummer_eigen, Zahlart FROM tblBelegung WHERE ID = ?"), {buchungId});
    if (rs.eof()) {
        r.message = QStringLiteral("Die Reservierung gibt es nicht mehr.");
        return r;
    }
    Briefdaten b;
    b.absender = absender();
    b.absender.druckanzahl = QString::number(ausdrucke);
    b.mitAdresse = mitAdresse();
    const int rechnungsadresse = rs.integer(QStringLiteral("IDAdressRechnung"));
    if (rechnungsadresse == 0 || !adresseLesen(rechnungsadresse, b)) adresseLesen(rs.integer(QStringLiteral("GastID")), b);
    b.rechnungsdatum = datum;
    b.rechnungsnummer = rs.text(QStringLiteral("BelegNummer_eigen"));
    if (!b.rechnungsnummer.isEmpty()) b.belegNummern << b.rechnungsnummer;
    b.zahlart = rs.text(QStringLiteral("Zahlart"));
    const auto ziele = Parameter(db_).read(QStringLiteral("Zahlungsziele"));
    b.zahlungszielTage = ziele ? ziele->integer(6) : 0;

    Steuerschluessel steuer(db_, dialogs_);
    Rechnungsdetail builder(db_, dialogs_, steuer, saisonaufteilung(db_, dialogs_));
    const Detailergebnis e = builder.Buchungsdetail(buchungId, datum, zusaetze);
    if (!ReDetailDatei::schreiben(programmordner, beschriftung(), e.zeilen, &r.message)) return r;
    if (!Briefdatei::datei(b).save(files::join(programmordner, Briefdatei::kDateiname), &r.message)) return r;
    return Dokumentausgabe::ausgeben(Dokumentart::Rechnung, programmordner, dateiname);
}

}  // namespace tav
