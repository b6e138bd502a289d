#include "invoice/ReDetailDatei.h"

#include <QLocale>
#include <cmath>

#include "platform/Amounts.h"
#include "platform/Dates.h"
#include "platform/Files.h"

namespace tav {

const QStringList& ReDetailDatei::feldnamen() {
    static const QStringList namen = QStringLiteral(
                                         "Steuersatz;AnzahlGaeste;BelegtBis;Datum/BelegtVon;Belegungsart;Bemerkung;Einzelpreis;Fruehstueck;"
                                         "GastAdressNr;GastAnrede;GastNachname;GastOrt;GastVorname;Gesamtpreis;Ist_Reservierung;Kuerzel;"
                                         "Menge;MwSt;Zahlart;Zimmernummer;Waehrung;Artikel;ZimBemerkung")
                                         .split(QLatin1Char(';'));
    return namen;
}

const QStringList& ReDetailDatei::rtfFeldnamen() {
    static const QStringList namen = QStringLiteral(
                                         "Steuersatz;AnzahlGäste;BelegtBis;Datum/BelegtVon;Belegungsart;Bemerkung;Einzelpreis;Frühstück;"
                                         "GastAdressNr;GastAnrede;GastNachname;GastOrt;GastVorname;Gesamtpreis;Ist_Reservierung;Kürzel;"
                                         "Menge;MwSt;Zahlart;Zimmernummer;Währung;Artikel;ZimBemerkung")
                                         .split(QLatin1Char(';'));
    return namen;
}

QStringList ReDetailDatei::beschriftungen(const DetailBeschriftung& b) {
    return {QStringLiteral("T"),
            QString(),
            QStringLiteral("bis"),
            QStringLiteral("Datum (von)"),
            QStringLiteral("Reservierung"),
            QStringLiteral("Bemerkungen"),
            QStringLiteral("Preis"),
            QStringLiteral("Frühstück"),
            QStringLiteral("Adress Nr."),
            QString(),
            QString(),
            QStringLiteral("Ort"),
            QString(),
            QStringLiteral("Gesamt"),
            QStringLiteral("Reserv."),
            QStringLiteral("Kurzinfo"),
            QStringLiteral("Menge/") + QStringLiteral("Nächte"),
            QStringLiteral("MwSt in %"),
            QStringLiteral("Zahlart"),
            b.zimmer,
            b.waehrung,
            QStringLiteral("Artikel/") + b.naechte,
            b.zimmerBemerkung};
}

QString ReDetailDatei::betrag(double wert) { return std::round(wert * 100.0) == 0.0 ? QString() : amounts::format(wert); }

QString ReDetailDatei::menge(double wert) {
    if (wert == 0.0) return {};
    static const QLocale deutsch(QLocale::German, QLocale::Germany);
    if (wert == std::floor(wert)) return deutsch.toString(qlonglong(wert));
    QString t = deutsch.toString(wert, 'f', 3);
    while (t.endsWith(QLatin1Char('0'))) t.chop(1);
    return t;
}

DataFile ReDetailDatei::datei(const DetailBeschriftung& b, const QList<Detailzeile>& zeilen, bool rtf) {
    DataFile f;
    f.addLine((rtf ? rtfFeldnamen() : feldnamen()).join(QLatin1Char(';')));
    f.add(DataFile::Record(beschriftungen(b)));
    const auto datum = [](const QDate& d) { return d.isValid() ? dates::longDate(d) : QString(); };
    for (const Detailzeile& z : zeilen) {
        DataFile::Record r;
        r.plain(z.code).quotedIfNotEmpty(z.anzahlGaeste).plain(datum(z.bis)).plain(datum(z.von)).plain(z.belegungsart);
        r.plain(z.bemerkung).plain(betrag(z.einzelpreis)).plain(z.fruehstueck).plain(z.gastAdressNr).plain(z.gastAnrede);
        r.plain(z.gastNachname).plain(z.gastOrt).plain(z.gastVorname).plain(betrag(z.gesamtpreis)).plain(z.istReservierung);
        r.plain(z.kuerzel).plain(menge(z.menge)).plain(betrag(z.mwst)).plain(z.zahlart).plain(z.zimmernummer).plain(z.waehrung);
        r.plain(z.artikel).plain(z.zimBemerkung);
        f.add(r);
    }
    return f;
}

bool ReDetailDatei::schreiben(const QString& ordner, const DetailBeschriftung& b, const QList<Detailzeile>& zeilen, QString* fehler) {
    return datei(b, zeilen).save(files::join(ordner, kDateiname), fehler) &&
           datei(b, zeilen, true).save(files::join(ordner, kRtfDateiname), fehler);
}

}  // namespace tav
