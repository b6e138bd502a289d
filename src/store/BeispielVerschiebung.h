#pragma once

#include <QDate>
#include <QString>

namespace tav::beispiel {

// Moves the sample data to the current date: d = days from the Von of the first booking (in
// table order) to today; every booking's Von and Bis, every payment date, item date and invoice
// date move by d days. Works on the sample database file itself. Returns d (0 when there is no
// booking). Throws DatabaseError.
int verschieben(const QString& beispielPfad, const QDate& heute);

}  // namespace tav::beispiel
