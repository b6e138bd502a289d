#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "invoice/ReDetailDatei.h"
#include "invoice/clsMWST.h"

namespace tav {

class Database;
class Dialogs;

// The kind of a document as the letter appended to the names of the display options
// ("GastnameR"): IST_Rechnung "A" offer, "B" confirmation; "R" and everything else (older data
// wrote "Y") an invoice.
QChar belegBuchstabe(const QString& istRechnung);

// One rate of the document: the sums after the discount.
struct Steuersumme {
    double satz = 0;
    double netto = 0;
    double mwst = 0;
};

struct Detailergebnis {
    QList<Detailzeile> zeilen;
    double netto = 0;             // net total before the discount
    double rabattProzent = 0;     // the discount as a percentage of the net total
    double brutto = 0;            // gross total before the discount (sum of the line totals)
    double bruttoNachRabatt = 0;  // gross total after the discount: written back as BetragBrutto
    double mwst = 0;              // VAT total after the discount
    QList<Steuersumme> saetze;    // the rates that carry lines, highest rate first
    double zahlungen = 0;         // sum of the payments of the document's bookings
    QDate anreise;                // earliest arrival of the document's bookings
};

// The rates the item table needs, answered for the document date. The program's VAT class
// answers them; a test may hand a table of its own.
class Steuerauskunft {
public:
    virtual ~Steuerauskunft() = default;
    // The standard rate valid on the date (night lines of bookings).
    virtual double standardSatz(const QDate& datum) = 0;
    // The rate of a VAT key on the date along its successor and predecessor chain; nullopt
    // when no valid key is found.
    virtual std::optional<double> satzVonSchluessel(int schluessel, const QDate& datum) = 0;
};

// Splits the stay of a booking by seasons: for each season part with at least one night its
// nights, price per night and amount. An empty list when the seasons do not price the room.
struct Saisonteil {
    int naechte = 0;
    double preis = 0;
    double betrag = 0;
};
using Saisonaufteilung = std::function<QList<Saisonteil>(int zimmer, const QDate& von, const QDate& bis)>;
// The split of the program's season prices (clsSaisonpreis), silent.
Saisonaufteilung saisonaufteilung(Database& db, Dialogs& dialogs);

// The invoice detail builder: turns one document of tbRechnungen into its printed lines and
// totals and writes the gross total back into the document.
class Rechnungsdetail {
public:
    Rechnungsdetail(Database& db, Dialogs& dialogs, Steuerauskunft& steuer, Saisonaufteilung saisons);

    struct Optionen {
        bool nachtzeilenK = false;     // night lines are coded "K" instead of "B"
        bool ohneVerpflegung = false;  // the editor's box that suppresses the board text
        bool zurueckschreiben = true;  // write BetragBrutto back into the document
    };
    // Builds the table of the document with the key reNummer (empty when the document is
    // missing). Database errors propagate as DatabaseError.
    Detailergebnis Reservierungsdetail(int reNummer, const Optionen& optionen);
    Detailergebnis Reservierungsdetail(int reNummer) { return Reservierungsdetail(reNummer, Optionen{}); }

    // An extra of the check-out dialog: a text and a gross amount at the standard rate.
    struct Zusatz {
        QString text;
        double betrag = 0;
    };
    // The invoice of one booking without a stored document (the reservation form's quick
    // invoice): its night lines, its extra items not yet settled, the extras given (amounts of
    // 0 left out), dated datum, with the invoice's display options. Nothing is written.
    Detailergebnis Buchungsdetail(int buchungId, const QDate& datum, const QList<Zusatz>& zusaetze);

    // ---- the texts, each in one place ----
    // "mit Frühstück" … "mit Vollpension"; empty without any meal.
    static QString verpflegungText(bool fruehstueck, bool mittag, bool abendessen);
    // The guest count after a line feed: "\nGästezahl: 2 Erw./ 1 Kind". The item table file
    // writes it in double quotes, so that the line feed stays inside its field.
    static QString gaestezahlText(int gaeste, int kinder);
    // "19% MwSt", "7% MwSt", "7,5% MwSt".
    static QString satzText(double satz);

    static inline const QString kKeinSteuersatz =
        QStringLiteral("Achtung!! Es wurde kein gültiger Steuersatz gefunden. Bitte überprüfen Sie die Einstellungen der Mehrwertsteuer.");

private:
    struct Kopf;
    struct Verweis {
        int buchung = 0, posten = 0;
    };
    Detailergebnis bauen(const Kopf& kopf, const QList<Verweis>& verweise, const QList<Zusatz>& zusaetze, const Optionen& optionen);

    Database& db_;
    Dialogs& dialogs_;
    Steuerauskunft& steuer_;
    Saisonaufteilung saisons_;
};

// The VAT answers of the program's VAT class: the standard rate valid on a date (the default
// key is created when no key is valid) and a key's rate along its successors and predecessors.
class Steuerschluessel : public Steuerauskunft {
public:
    Steuerschluessel(Database& db, Dialogs& dialogs) : mwst_(db, dialogs) {}
    double standardSatz(const QDate& datum) override;
    std::optional<double> satzVonSchluessel(int schluessel, const QDate& datum) override;

private:
    clsMWST mwst_;
};

}  // namespace tav
