#pragma once

namespace tav {

class Database;

// Payment state of a booking, as the paid indicator of the plan, the booking menu and the
// reservation form show it.
enum class Zahlstatus {
    KeineBuchung,  // no booking (the indicator keeps its neutral colour)
    Offen,         // not everything is invoiced, or an invoice still has an open amount
    Bezahlt,       // the booking and its extra items are invoiced and every invoice is paid
};

// The paid rule: true only when the booking (or, for a split booking, its night items) and
// all its extra items are settled by an invoice, and every invoice that covers them is paid in
// full: its gross total less the sum of its payments reads "0,00".
bool belegungBezahlt(Database& db, int belegungId);

// The paid rule with the state "no booking" for an ID that no booking has.
Zahlstatus zahlstatusDerBuchung(Database& db, int buchungId);

}  // namespace tav
