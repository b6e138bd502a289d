#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "platform/DataFile.h"

namespace tav {

// The sender of the house's letters: the text blocks of tblTexte.
struct Absender {
    QString anrede;   // Absender1
    QString name;     // Absender2
    QString strasse;  // Absender3
    QString plz;      // PLZ
    QString ort;      // Absender5
    QString telefon;
    QString fax;
    QString email;
    QString internet;
    QString brieftext;  // may hold line breaks
    QString grussformel;
    QString betreff;
    QString bank;
    QString steuernummer;  // the block's text, without "Steuernummer: "
    QString druckanzahl;   // the block DruckAnzahl as stored

    // The sender read by position from the contents of tblTexte in the order of its ID: rows
    // 1, 2, 3, 5, 6, 7, 8 and 11 to 17 (row 4, 9 and 10 are skipped); row 17 is the copy count.
    // Rows that are missing give empty text. The tax number is its own block, found by name.
    static Absender ausTextbloecken(const QStringList& inhalteNachId, const QString& steuernummer);
};

// The letter data file Rechn.doc of a document (invoice, offer, confirmation): a header line
// with 40 field names and one data line.
struct Briefdaten {
    Absender absender;
    bool mitAdresse = true;  // setting mitAdresse: the sender block is printed
    // the invoice address
    int adressnummer = 0;
    QString anrede, adressbemerkung, email, fax, kkGueltigBis, kkNummer, kreditkarte, land, nachname, name2, ort, plz, plzPostfach,
        postfach, strasse, vorname;
    // the document
    QDate rechnungsdatum;
    QString rechnungsnummer;  // Renummer_eigen
    QString zahlart;
    int zahlungszielTage = 0;
    QString rechnungstext;  // RE_TEXT1
    QDate bezahltAm;        // invalid: not paid
    QStringList belegNummern;
};

class Briefdatei {
public:
    static inline const QString kDateiname = QStringLiteral("Rechn.doc");
    static const QStringList& feldnamen();

    // The copy count rule: 0 or not a number gives 1, 1 to 10 that number, above 10 gives 2.
    static int druckanzahl(const QString& block);
    // "Zahlungsziel: 14 Tage ohne Abzug", or "Zahlungsziel: sofort ohne Abzug" for 0 days.
    static QString zahlungsziel(int tage);
    // How the file writes a truth value ("Wahr" / "Falsch"); the templates test it.
    static QString wahrheitswert(bool wert);

    static DataFile datei(const Briefdaten& daten);
};

}  // namespace tav
