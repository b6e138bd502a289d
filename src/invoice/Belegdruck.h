#pragma once

#include <QString>

#include "invoice/Briefdatei.h"
#include "invoice/Dokumentausgabe.h"
#include "invoice/Rechnungsdetail.h"

namespace tav {

class Database;
class Dialogs;

// The output of one stored document (invoice, confirmation, offer): its letter data file
// Rechn.doc and its item table ReDetail.doc are written into the program folder, then the
// kind's template is merged into the merged copy and its PDF.
class Belegdruck {
public:
    Belegdruck(Database& db, Dialogs& dialogs, QString programmordner) : db_(db), dialogs_(dialogs), ordner_(std::move(programmordner)) {}

    // Writes both data files (the letter data of Rechnungsdruck, the item table with the
    // editor's choice about the board text) and merges; the totals of the item table in
    // *ergebnis. The PDF, or empty text after a German message naming the file.
    QString drucken(int reNummer, Dokumentart art, bool ohneVerpflegung = false, Detailergebnis* ergebnis = nullptr);

private:
    Database& db_;
    Dialogs& dialogs_;
    QString ordner_;
};

}  // namespace tav
