#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace tav {

class Database;

// The booking-number pattern of the settings row "BeNummer": prefix (F1), date part (F2, one
// of "yy", "yyyy", "mmm yy", "mmm yyyy", "mm yyyy", "mm yy", "dd mm yy", "ww yy", "ww yyyy"; empty
// for none) and whether freed numbers are given out again (F4 "Alle") or left free.
struct NummernMuster {
    QString praefix;
    QString datumsformat;
    bool alle = false;

    // From F1 … F4 as the program keeps them after the start.
    static NummernMuster aus(const QStringList& beNummer);
    static NummernMuster lesen(Database& db);
};

// Running and printed booking numbers.
class BelegNummern {
public:
    // Another booking than `id` already has this printed number.
    static bool BelegNummerEigenVergeben(Database& db, const QString& text, int id);
    // Another booking than `id` already has this running number.
    static bool BelegNummerVergeben(Database& db, qint64 nummer, int id);

    // The next running number: with "Alle" the lowest number no booking holds (gaps are
    // refilled), otherwise the highest + 1; 1 for an empty table.
    static qint64 naechste(Database& db, bool alle);

    // The printed number: prefix, the number as "0000" and the date part of `datum`.
    static QString eigene(const NummernMuster& muster, qint64 nummer, const QDate& datum);
};

}  // namespace tav
