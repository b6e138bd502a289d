#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

#include "invoice/Briefdatei.h"
#include "invoice/ReDetailDatei.h"
#include "invoice/Rechnungsdetail.h"
#include "platform/MailMerge.h"

namespace tav {

class Database;
class Dialogs;

// The printing of a document of tbRechnungen (DruckenRechnung): the letter data file Rechn.doc
// with the sender, the invoice address and the document's data, the item table files
// ReDetail.doc and ReDetail.rtf from the detail builder, and the merge of the kind's template.
// The same files for the reservation form's quick invoice of one booking.
class Rechnungsdruck {
public:
    Rechnungsdruck(Database& db, Dialogs& dialogs);

    // The key of the document with this printed number, or of the key typed as digits when no
    // document prints that number; nullopt when there is none.
    std::optional<int> dokumentSuchen(const QString& nummerOderSchluessel);
    // The template of a stored document's kind: "rechnung.doc", "VarAngebot.doc", "Bestät.doc".
    QString vorlage(int reNummer);

    // The sender from the text blocks: empty (Null) contents become "" first and a missing
    // block "Steuernummer" is added with empty text; then read by position in the order of ID.
    Absender absender();
    // The setting mitAdresse; a missing row is created with the system's text for true.
    bool mitAdresse();
    // The letter data of a document (nullopt when it does not exist).
    std::optional<Briefdaten> briefdaten(int reNummer);
    // The caption line of the item table files from the settings.
    DetailBeschriftung beschriftung();

    // Builds the item table (the gross total is written back) and writes Rechn.doc,
    // ReDetail.doc and ReDetail.rtf into ordner. False with a German message naming the file
    // or the document otherwise. Database errors propagate as DatabaseError.
    bool DruckenRechnung(int reNummer, const QString& ordner, QString* fehler, Detailergebnis* detail = nullptr);

    // A stored document again: its data files into datenordner, its template from the program
    // folder, the merged copy (empty: none) and the PDF where given.
    MergeResult ausgeben(int reNummer, const QString& programmordner, const QString& datenordner, const QString& dokument,
                         const QString& pdf);

    // The reservation form's quick invoice of a booking: the letter of the booking's invoice
    // address (else its guest) dated datum and numbered with the booking number, the item
    // table of Rechnungsdetail::Buchungsdetail, the copy count of the extras dialog; written
    // into the program folder and merged with "rechnung.doc" into "Rechnungen/" + dateiname
    // and its PDF.
    MergeResult Schnellrechnung(int buchungId, const QDate& datum, const QList<Rechnungsdetail::Zusatz>& zusaetze, int ausdrucke,
                                const QString& programmordner, const QString& dateiname);

private:
    bool adresseLesen(int adressId, Briefdaten& b);
    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
