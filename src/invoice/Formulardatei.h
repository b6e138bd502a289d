#pragma once

#include <QDate>
#include <QString>

#include "platform/DataFile.h"

namespace tav {

// One extra of the check-out extras dialog: a text and an amount.
struct Formularposten {
    QString text;
    double betrag = 0;
};

// The data of one booking for the reservation form's documents (offer, confirmation,
// registration form): one record of angeb.doc or Best.doc.
struct Formulardaten {
    // guest address
    QString anrede, vorname, nachname, name2, firma, strasse, ort, plz, land, telefon, fax, email;
    // booking
    QString zimmernummer;  // the room's display number
    QDate beginn, ende;
    QString kuerzel, belegungsart, bemerkungen;
    double gesamtpreis = 0, preisProNacht = 0;
    int naechte = 0;
    QString einheiten;  // "Übernachtung" or "Übernachtungen"
    int anzahlGaeste = 0, kinder = 0;
    bool fruehstueck = false, mittag = false, abendessen = false;
    QString zimmerbemerkung, zahlart, buchungsnummer;
    QDate datum;  // the day the booking was made
    // the extras dialog
    Formularposten getraenke, minibar, restaurant, sonstiges, telefonPosten;
    // totals of booking and extras
    double gesamt = 0, mwst = 0, netto = 0;
    // sender (text blocks) and settings
    QString absender1, absender2, absender3, absender5, senderPlz, senderTelefon, senderFax, senderEmail, senderInternet, bank;
    QString druckanzahl;  // the block DruckAnzahl as stored
    bool mitAbsender = true;
    bool vorschau = false;
    QString waehrung = QStringLiteral("EUR");
    QDate aktDatum;
    // payments so far
    QDate zahlDatum;
    double zahlSumme = 0;
};

// angeb.doc (offer) and Best.doc (confirmation and registration form): the header line of the
// reservation form's data source and one data line.
class Formulardatei {
public:
    static inline const QString kAngebot = QStringLiteral("angeb.doc");
    static inline const QString kBestaetigung = QStringLiteral("Best.doc");
    static const QString& kopfzeile();

    // The board flags as one phrase of the documents (" mit Halbpension"; empty without board).
    static QString verpflegung(bool fruehstueck, bool mittag, bool abendessen);

    static DataFile datei(const Formulardaten& daten);
};

}  // namespace tav
