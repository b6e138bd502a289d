#pragma once

namespace tav {

class Database;

// Payment state of a booking, as the plan's paid indicator and the booking menu show it.
enum class Zahlstatus {
    KeineBuchung,  // no booking (the indicator keeps its neutral colour)
    Offen,         // not everything is invoiced, or an invoice still has an open amount
    Bezahlt,       // the booking and its extra items are invoiced and every invoice is paid
};

// A booking counts as paid when it is settled (Abgerechnet = 1, or its night items carry the
// state for a split booking), none of its extra items is open, at least one invoice ("R")
// covers it, and each such invoice's open amount reads "0,00".
Zahlstatus zahlstatusDerBuchung(Database& db, int buchungId);

}  // namespace tav
