#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "store/Geld.h"

namespace tav {

class Database;

// One stored payment as the grids and the command line show it.
struct Zahlung {
    int id = 0;
    int rechnung = 0;  // tbRechnungen.ReNummer; 0 = without invoice
    int belegung = 0;  // tblBelegung.ID; 0 = none
    QDate datum;
    geld::Cent betrag = 0;
    QString zahlart;
    QString wasBezahlt;
    QString bemerkung;
    QString rechnungText;  // the invoice's own number, "nicht zugeordnet" or "Nicht zugeordnet"
    QString zimmerText;    // room label, with " (" + own booking number + ")" when there is one
};

// One invoice ("R") of a set of bookings with its payments.
struct RechnungsBlock {
    int reNummer = 0;
    QString eigeneNummer;  // ReNummer_eigen
    QDate datum;
    geld::Cent brutto = 0;
    geld::Cent gezahlt = 0;
    QString adresse;  // last name, ", ", first name, " ", city
    geld::Cent offen() const { return brutto - gezahlt; }
    // Fully paid: the open amount reads "0,00".
    bool bezahlt() const { return offen() == 0; }
};

// An entry of a pick list: its item data and its text.
struct Eintrag {
    int id = 0;
    QString text;
    bool operator==(const Eintrag&) const = default;
};

// The payments table tbZahlung and the list of payment kinds tbZahlart: sums and open amounts
// of invoices, the full payment of an invoice, the conversion of the old paid date, the repair
// of unnumbered rows, and the reads the payments window and the invoices need.
class Zahlungen {
public:
    static inline const QString kGesamtzahlung = QStringLiteral("Gesamtzahlung");
    static inline const QString kOhne = QStringLiteral("Ohne");
    static inline const QString kNichtZugeordnet = QStringLiteral("nicht zugeordnet");

    explicit Zahlungen(Database& db) : db_(db) {}

    // Sum of the payments of an invoice, and its gross total less that sum ("noch zu zahlen").
    geld::Cent summeProRechnung(int reNummer) const;
    geld::Cent offenerBetrag(int reNummer) const;
    bool vollBezahlt(int reNummer) const { return offenerBetrag(reNummer) == 0; }
    // The payments of an invoice, or of a booking, ordered by date: "dd.mm.yyyy, 1.234,50",
    // one line each; summe receives their sum.
    QString bisherigeZahlungenProRechnung(int reNummer, geld::Cent* summe = nullptr) const;
    QString bisherigeZahlungen(int belegung, geld::Cent* summe = nullptr) const;
    // The payments of an invoice with their room, ordered by room and date (for the document).
    QList<Zahlung> zahlungenAuflisten(int reNummer) const;
    // The payments of a booking summed per day, days that sum to 0 left out, ordered by day.
    QList<QPair<QDate, geld::Cent>> zahlungenAuflistenBelegung(int belegung) const;
    // True when a payment of these bookings has no invoice yet.
    bool nochNichtZugeordnete(const QList<int>& belegungen) const;

    // The full payment of an invoice. With loeschen, every payment of the invoice is removed.
    // Otherwise betrag 0 stands for the open amount; a non-zero amount is booked as one
    // "Gesamtzahlung" (an empty kind as "Ohne"). Returns the amount booked (0 = nothing).
    geld::Cent bezahlen(bool loeschen, const QDate& datum, const QString& zahlart, int reNummer, int belegung, geld::Cent betrag = 0);

    // Start-up: every invoice with an old paid date becomes paid by one "Gesamtzahlung" of its
    // gross total on that date, and the date is emptied. Returns the number of invoices.
    int bezahltDatumUmwandeln();
    // Numbers every payment without IDZahlung with the smallest positive number not yet taken
    // (up to 32767). Returns the number of rows numbered.
    int ergaenzen();
    // The pass at start: old paid dates become payments, unnumbered payments get numbers. A
    // file that cannot be written now (a lock elsewhere) is passed over until the next start.
    static void beimStartPruefen(Database& db);

    // The payment kinds, sorted; adding (unless one is like the text) and removing by text.
    QStringList zahlarten() const;
    bool zahlartHinzufuegen(const QString& text);
    int zahlartEntfernen(const QString& text);

    // All bookings of the block booking that a booking belongs to, the booking itself first
    // when it is in none.
    QList<int> blockMitglieder(int belegung) const;
    // Text of a booking in the room list: room label, " (" + own number + ")" when there is one.
    QString zimmerText(int belegung) const;
    // The real invoices of a booking (linked directly or through one of its items) that have
    // an invoice address: item data ReNummer, text own number, first and last name, city.
    QList<Eintrag> rechnungenDerBelegung(int belegung) const;
    // The invoice ("R") that covers a booking: linked directly or through its night items.
    int rechnungFindenBelegung(int belegung) const;
    // The invoices of a set of bookings with their payments, ordered by date.
    QList<RechnungsBlock> alleRechnungen(const QList<int>& belegungen) const;
    QList<RechnungsBlock> rechnungsBlock(int reNummer) const;
    // The bookings of an invoice: linked directly, or through its items.
    QList<int> belegungenDerRechnung(int reNummer) const;
    // Extra items of the bookings that no invoice covers yet.
    bool zusatzpostenOffen(const QList<int>& belegungen) const;
    // Whether a real invoice covers the booking through one of its night items.
    bool durchNachtpostenGedeckt(int belegung) const;
    // Whether every booking of the list is settled (a split booking counts by its items).
    bool belegungenAbgerechnet(const QList<int>& belegungen) const;

    // The payments of the bookings for the grid, ordered by date.
    QList<Zahlung> zahlungenDerBelegungen(const QList<int>& belegungen) const;
    std::optional<Zahlung> zahlung(int id) const;
    // The payments of one address, for the command line: bookings whose guest or invoice
    // address it is, and invoices addressed to it.
    QList<Zahlung> zahlungenDerAdresse(int adresse) const;
    QList<RechnungsBlock> rechnungenDerAdresse(int adresse) const;

    static QString liste(const QList<int>& ids);

private:
    QList<RechnungsBlock> bloecke(const QString& where) const;
    QList<Zahlung> zahlungen(const QString& where, const QString& orderBy) const;
    Database& db_;
};

}  // namespace tav
