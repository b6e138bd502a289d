#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tav {

class Database;
class Dialogs;

// One person line of the further-guests window.
struct GastZeile {
    QString anrede, name, vorname, strasse, plz, ort, land;
    bool markiert = false;  // the selection box shows "   X"
    int idGast = 0;         // WeitereGäste.ID_Gast; 0 = not stored yet
    int idAdresse = 0;      // the linked Address.ID; 0 = none
};

// The further guests of one booking: the persons staying besides the guest of the booking,
// each optionally linked to an address of the shared address table.
class WeitereLogik {
public:
    static constexpr int kSichtbareZeilen = 9;
    static inline const QString kMarke = QStringLiteral("   X");

    WeitereLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // Reads the persons of the booking into as many lines as the room's default number of
    // guests, or the booking's number of guests when that is larger. A booking without
    // further guests offers to copy its own guest address into the first line.
    void laden(int buchungId);

    int buchungId() const { return buchungId_; }
    QList<GastZeile>& zeilen() { return zeilen_; }
    const QList<GastZeile>& zeilen() const { return zeilen_; }
    // The scroll bar runs from 0 to the line count − 9 (at least 0).
    int scrollMaximum() const;

    QStringList anreden() const;
    QStringList laender() const;
    // A country that is not in the list is refused with its message; empty is allowed.
    bool landPruefen(const QString& land);

    void markieren(int zeile);  // toggles the selection mark
    // Text boxes keep their double quotes balanced: an odd count gets one more at the end.
    static QString anfuehrungszeichenAusgleichen(const QString& text);
    void geaendert() { geaendert_ = true; }
    bool hatAenderungen() const { return geaendert_; }

    // cmdReservieren: stores every line with a name, deletes stored lines whose name was emptied.
    void speichern();
    // cmdAdressSpeichern (alle = false) / cmdAlleSpeichern (alle = true).
    void alsAdressenSpeichern(bool alle);
    // cmdLöschen: deletes the marked lines after asking.
    void loeschen();
    // cmdAbbrechen: asks to save unsaved changes first.
    void schliessen();

private:
    int landId(const QString& land) const;

    Database& db_;
    Dialogs& dialogs_;
    int buchungId_ = 0;
    QList<GastZeile> zeilen_;
    bool geaendert_ = false;
};

}  // namespace tav
