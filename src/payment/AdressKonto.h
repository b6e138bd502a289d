#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "store/Geld.h"

namespace tav {

class Database;

// One row of a grid of the account: the texts of its columns, the value each column sorts
// by, and the keys the double click and the menus need.
struct KontoZeile {
    QStringList texte;
    QVariantList sortierung;  // per column; a date sorts as a date, an amount as a number
    int buchung = 0;          // the booking of the row (0: none)
    int rechnung = 0;         // the document of the row (ReNummer; 0: none)
    int zahlung = 0;          // IDZahlung of a payment row
    int posten = 0;           // IDRePosten of an extra item
    int gruppe = -1;          // rows of one group (a document with its sums) stay together when sorted
    geld::Cent betrag = 0;    // what the row adds to the grid's sum
};

// The account of one address: its bookings, documents, payments with and without a document,
// and what is not invoiced yet, each with its sum. Only reads; the correction of old
// reservations is in ZahlungAdrLogik.
class AdressKonto {
public:
    AdressKonto(Database& db, int adresse) : db_(db), adresse_(adresse) {}

    int adresse() const { return adresse_; }
    // "Klaus Meier, Ulm"; empty text for an address that does not exist.
    QString anschrift() const;
    // ReNummer of the address's documents, joined by ", ".
    QString dokumentListe() const;
    // The bookings of these documents that are not split and not deleted and whose guest or
    // invoice address is the address, joined by ", ".
    QString buchungsListe() const;

    // "Reservierungen": guest or invoice address, with `weitere` also a further guest; and the
    // bookings with an extra item for the address. Offers and deleted bookings show "Ja" under
    // "Angebot" and do not count.
    QList<KontoZeile> reservierungen(bool weitere) const;
    // "Rechnungen": per document its row, "Summe Zahlungen:" and "noch zu zahlen:".
    struct Rechnungen {
        QList<KontoZeile> zeilen;
        geld::Cent summe = 0;
        geld::Cent gezahlt = 0;
        geld::Cent differenz() const { return summe - gezahlt; }
    };
    Rechnungen rechnungen() const;
    // Payments of the address's documents, and payments without a document of the bookings
    // whose invoice address (or guest, when there is no invoice address) it is.
    QList<KontoZeile> zahlungenMitRechnung() const;
    QList<KontoZeile> zahlungenOhneRechnung() const;
    // Unbilled stays and extra items not on any document.
    QList<KontoZeile> offenePosten() const;

    static geld::Cent summe(const QList<KontoZeile>& zeilen);

    static const QStringList& spaltenReservierungen();
    static const QStringList& spaltenRechnungen();
    static const QStringList& spaltenZahlungenMit();
    static const QStringList& spaltenZahlungenOhne();
    static const QStringList& spaltenOffen();

private:
    Database& db_;
    int adresse_;
};

}  // namespace tav
