#pragma once

#include <QString>
#include <optional>

namespace tav::amounts {

// Amounts as the user sees and types them: "#,##0.00" with German separators ("1.234,50").
QString format(double amount);
// Reads "1.234,50", "1234,5", "1234" (and a point-decimal "1234.50" when no comma is present
// and the part after the point is not three digits long); nullopt for anything else.
std::optional<double> parse(const QString& text);
// A count as the user types it (weeks, days, copies, a room's position): one or more of the
// digits 0 to 9 and nothing else, no sign, no blank, no digits of other scripts.
bool isCount(const QString& text);

}  // namespace tav::amounts
