#pragma once

namespace tav {

class Database;

namespace zahlstatus {

// The paid indicator of a booking (cmdBezahlt of the reservation form and of the plan): green
// only when the booking (or, for a split booking, its night items) and all its extra items are
// settled by an invoice, and every invoice that covers them is paid in full: its gross total
// less the sum of its payments reads "0,00".
bool belegungBezahlt(Database& db, int belegungId);

}  // namespace zahlstatus
}  // namespace tav
