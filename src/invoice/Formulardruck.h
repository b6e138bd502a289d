#pragma once

#include <QDate>
#include <QString>

#include "invoice/Dokumentausgabe.h"
#include "invoice/Formulardatei.h"
#include "invoice/RechnungspostenLogik.h"

namespace tav {

class Database;
class Dialogs;

// The documents the reservation form makes of one booking: the offer, the reservation
// confirmation, the registration form and the quick invoice. Each is written as its data file
// into the program folder and merged with its template into the kind's folder below it, under
// the name the form gives (the booking's short name), with a PDF beside it.
class Formulardruck {
public:
    enum class Formular { Angebot, Bestaetigung, Anmeldung, Rechnung };

    Formulardruck(Database& db, Dialogs& dialogs, const QString& programmordner);

    static Dokumentart dokumentart(Formular f);
    // The title of the extras dialog: "Weitere Posten für das Angebot", "Weitere Posten für die
    // Reservierung", and "Posten für" + the guest's name for the registration form and the
    // quick invoice.
    static QString postenTitel(Formular f, const QString& gastname);
    // The guest's name of a booking: first name and last name.
    QString gastname(int buchungId);

    // The stand-in's test that the word processor is ready: the template of the kind lies in
    // the program folder and can be read. Otherwise the message that Word cannot be opened,
    // with the template's name, and false.
    bool vorlageBereit(Formular f);

    // The record of angeb.doc / Best.doc: the booking with its guest, room and kind, the
    // extras (their sum added to the total), the sender blocks, mitAdresse, the payments.
    // Database errors propagate as DatabaseError.
    Formulardaten daten(int buchungId, const Zusatzposten& posten, const QDate& heute);

    // Writes the data files and merges the document; a failure is shown (German, naming the
    // file) and gives a result that is not ok.
    MergeResult drucken(Formular f, int buchungId, const Zusatzposten& posten, const QString& dateiname, const QDate& heute);

private:
    Database& db_;
    Dialogs& dialogs_;
    QString ordner_;
};

}  // namespace tav
