#pragma once

namespace tav {

class Database;

// Payment state of a booking, as the plan's paid indicator and the booking menu show it.
enum class Zahlstatus {
    KeineBuchung,  // no booking (the indicator keeps its neutral colour)
    Offen,         // not everything is invoiced, or an invoice still has an open amount
    Bezahlt,       // the booking and its extra items are invoiced and every invoice is paid
};

// The paid rule itself is zahlstatus::belegungBezahlt; this adds the state "no booking".
Zahlstatus zahlstatusDerBuchung(Database& db, int buchungId);

}  // namespace tav
