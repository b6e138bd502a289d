#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tav {

struct Uebergabe;
struct Variablen;

// What the plan reads from the settings, gathered in one plain struct so that tests can set
// any value without a settings table.
struct PlanEinstellungen {
    int tage = 35;                                                // day count D ("ZeitDarstellung" F1)
    int startWochentag = 2;                                       // weekday (Sunday = 1) whose day labels carry the full date
    int raeume = 9;                                               // room count N ("Räumlichkeiten" F1)
    int sichtbareZeilen = 10;                                     // visible room rows V
    int zeilenHoehe = 320;                                        // row height in twips
    int ersterTag = 60;                                           // brightening of a booking's first night
    QList<quint32> farben;                                        // "Farben" F1 … F11 (missing entries take defaults, see farbe())
    QStringList belegungsartNamen;                                // "Belegungsarten" F1 … F9: the legend entries
    bool hatTeilbelegt = false;                                   // a kind named "…teilbelegt…" exists
    quint32 teilbelegtFarbe = 0;                                  // its colour
    QString legendeUeberschrift = QStringLiteral("Bezeichnung");  // "Beschriftungen" F1
    QString zimmerUeberschrift = QStringLiteral("Bezeichnung");   // "Beschriftungen" F2
    bool beispieldaten = false;                                   // the sample database is in use
    QString titel = QStringLiteral("Tavomera");
    QString programmordner;  // where "Zeitlog.txt" is written; empty = no log

    // Shared with the other windows: the refresh request (1 = reload at the next mouse move)
    // and the hand-over to the reservation form. Null pointers make the model keep its own.
    int* aktualisieren = nullptr;
    Uebergabe* uebergabe = nullptr;

    // Colour field n of "Farben" (1 … 11). A missing F1 is white; a missing kind colour is a
    // light grey so that the booking stays visible; F10 and F11 default to F1 brightened.
    quint32 farbe(int n) const;
    // The colour of booking kind k (0 … 8): F(k + 1).
    quint32 artFarbe(int kind) const;

    // Everything from the program-wide state read at start.
    static PlanEinstellungen aus(Variablen& v);
};

}  // namespace tav
