#pragma once

#include <QString>

namespace tav {

// The report after old bookings and their extra items were set to settled, in the words of the
// account overview and the booking list alike: both counts, only the one that changed, or that
// nothing before the date was open.
QString abrechnungsbericht(int buchungen, int posten);

}  // namespace tav
