#pragma once

#include <QString>

#include "store/Zahlstatus.h"

namespace tav {

class Database;
class Dialogs;
class Fenster;

// The commands of the booking menu mnuKontRes that work on the booking itself: check in, check
// out with the question for the invoice, and the payment status.
class BuchungsMenue {
public:
    // fenster: whether the invoicing windows are there (the question after checking out).
    BuchungsMenue(Database& db, Dialogs& dialogs, const Fenster& fenster) : db_(db), dialogs_(dialogs), fenster_(fenster) {}

    // Caption of mnuKontRechnung: the offer document for an offer, the invoices otherwise.
    static QString rechnungsText(bool angebot);

    // True when the booking is an offer or waits in the waiting position: neither can be
    // checked in or out.
    bool angebotOderWartend(int buchungId);

    // Refused for offers and waiting bookings with its message; true when the booking changed
    // (the caller repaints).
    bool checkIn(int buchungId);

    enum class CheckOut { Abgelehnt, Ausgecheckt, RechnungSchreiben };
    // Refused like check in; else the booking is checked out and, when the invoicing windows are
    // there, "Rechnung schreiben?" is asked.
    CheckOut checkOut(int buchungId);

    // Shows "Status: Offen" or "Status: Bezahlt".
    Zahlstatus statusAnzeigen(int buchungId);

private:
    Database& db_;
    Dialogs& dialogs_;
    const Fenster& fenster_;
};

}  // namespace tav
