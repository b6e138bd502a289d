#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/DataFile.h"

namespace tav {

// One printed line of a document's item table, as the item table files carry it.
//
// Which column carries what (the templates rely on it):
//   Steuersatz  the line code: B or K night line, U the information line under it, Z extra item,
//               W room subtotal, C "Zwischensumme:", I or N "Nettobetrag:", R discount,
//               E gross total after discount, M VAT of one rate, G "MwSt Gesamt:" and
//               "Gesamtbetrag:", O total without VAT, S cash discount offer, X total with cash
//               discount, A payments and the down-payment schedule
//   Artikel     the text of the line: article or night text, the label of a total
//               ("Nettobetrag:", "7% MwSt", "Gesamtbetrag:"), the text of a payment line
//   Bemerkung   the remark of an extra item; on payment lines " am " + date and the method
//   AnzahlGaeste  the guest-count text of a U line (it starts with a line break)
//   Fruehstueck the board text of a U line ("mit Halbpension")
//   GastVorname, GastNachname  the guest name of a U line
//   MwSt        the VAT rate of an item line in percent
//   Gesamtpreis the amount of every line (line total, subtotal, VAT, total, payment)
struct Detailzeile {
    QString code;
    QString anzahlGaeste;
    QDate bis;
    QDate von;
    QString belegungsart;
    QString bemerkung;
    double einzelpreis = 0;
    QString fruehstueck;
    QString gastAdressNr;
    QString gastAnrede;
    QString gastNachname;
    QString gastOrt;
    QString gastVorname;
    double gesamtpreis = 0;
    QString istReservierung;
    QString kuerzel;
    double menge = 0;
    double mwst = 0;
    QString zahlart;
    QString zimmernummer;
    QString waehrung;
    QString artikel;
    QString zimBemerkung;
};

// The settings that go into the caption line (line 2) of the item table files.
struct DetailBeschriftung {
    QString zimmer = QStringLiteral("Zimmer");  // the user's caption for rooms
    QString waehrung = QStringLiteral("EUR");
    QString naechte = QStringLiteral("Übernachtungen");
    QString zimmerBemerkung = QStringLiteral("Zimmerbemerkung");
};

// ReDetail.doc and ReDetail.rtf: the same lines, the .rtf file with umlauts in its field names.
class ReDetailDatei {
public:
    static inline const QString kDateiname = QStringLiteral("ReDetail.doc");
    static inline const QString kRtfDateiname = QStringLiteral("ReDetail.rtf");
    static const QStringList& feldnamen();     // ReDetail.doc
    static const QStringList& rtfFeldnamen();  // ReDetail.rtf
    static QStringList beschriftungen(const DetailBeschriftung& b);

    // "1.234,50"; empty for zero.
    static QString betrag(double wert);
    // "2", "1,5"; empty for zero.
    static QString menge(double wert);

    static DataFile datei(const DetailBeschriftung& b, const QList<Detailzeile>& zeilen, bool rtf = false);
    // Writes both files into a folder; false with a German message naming the file otherwise.
    static bool schreiben(const QString& ordner, const DetailBeschriftung& b, const QList<Detailzeile>& zeilen, QString* fehler = nullptr);
};

}  // namespace tav
