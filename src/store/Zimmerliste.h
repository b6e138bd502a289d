#pragma once

#include <QList>
#include <QString>

#include "store/Parameter.h"

namespace tav {

class Database;

// One room of the plan, with its two attribute markers (extra columns).
struct Zimmer {
    int nummer = 0;     // Zimmernummer: key and plan row
    QString label;      // NeueNummer
    QString bemerkung;  // Bemerkungen
    quint32 farbe1 = farbe::kMenuBar;
    quint32 farbe2 = farbe::kMenuBar;
    QString text1, text2;            // Beschriftung of the attributes
    QString bedeutung1, bedeutung2;  // Bedeutung: tool tips of the attribute cells
    int gaesteDefault = 0;
    bool letztes = false;  // the last room read (the waiting row's room)
    QString raucher;       // "Raucher", "Nichtraucher" or empty

    // The remarks, followed by " (" + smoker text + ")" when there is one.
    QString tooltip() const;
    // The row label's Tag: the room number formatted "00".
    QString tag() const;
};

// Defaults of a new booking per room, in Zimmernummer order.
struct ZimmerVorgabe {
    int nummer = 0;
    double preis = 0;  // PreisDefault
    int gaeste = 0;    // AnzahlGästeDefault
};

// The rooms read into memory at the start of the main window, and the room lookups.
class Zimmerliste {
public:
    static constexpr int kMaxRooms = 200;

    // Reads every room (at most 200) with its attributes and the defaults list.
    void load(Database& db);

    const QList<Zimmer>& rooms() const { return rooms_; }
    const QList<ZimmerVorgabe>& vorgaben() const { return vorgaben_; }
    const Zimmer* byNumber(int nummer) const;
    const ZimmerVorgabe* vorgabe(int nummer) const;

    // Zimmernummer of the first room with that label; 0 when none.
    static int nummerVonLabel(Database& db, const QString& label);
    // AnzahlGästeDefault of the room with that label; 0 when none or Null.
    static int gaesteVonLabel(Database& db, const QString& label);
    static quint32 attributFarbe(Database& db, int zusatzFeld);
    static QString attributText(Database& db, int zusatzFeld);
    // 0 when no room has an attribute, 2 when only Zusatz1 is used, 1 when only Zusatz2, 3 both.
    static int zusatzspaltenInGebrauch(Database& db);

private:
    QList<Zimmer> rooms_;
    QList<ZimmerVorgabe> vorgaben_;
};

}  // namespace tav
