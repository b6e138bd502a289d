#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "store/Variablen.h"

namespace tav {

class Database;
class Dialogs;
class CollisionLogik;

// One existing booking that collides with the booking being saved, with what the user chose
// for it in the collision dialog.
struct Kollision {
    int id = 0;
    QString kuerzel;
    int zimmer = 0;  // its present room
    QDate von;
    QDate bis;
    int zielZimmer = 0;         // room chosen in the dialog; 0 = none
    QString zielLabel;          // its label
    bool warten = false;        // move it into the waiting position
    QStringList freieZimmer;    // labels of the rooms free for its own range (at most 100)
    bool blockbuchung = false;  // member of a block booking: never offered the waiting position

    // Tool tip of its short name: where it can be moved to.
    QString tooltip() const;
};

// The booking being saved, as the collision dialog shows it.
struct NeueBuchung {
    QString kuerzel;
    QString von;
    QString bis;
    QString zimmer;             // room label
    bool blockbuchung = false;  // a block member is never offered the waiting position
};

// A room free for a date range, as the free-rooms query returns it.
struct FreiesZimmer {
    int nummer = 0;
    QString label;
    bool raucher = false;
};

// The collision dialog frmCollision as the save sees it: shown modally over the collision
// list of a check, it leaves its outcome in the check's flags. The window implements it;
// tests script it.
class KollisionsDialog {
public:
    virtual ~KollisionsDialog() = default;
    virtual void zeigen(CollisionLogik& pruefung) = 0;
};

// The overlap rule and everything that applies it: the save-time test with the collision
// dialog's logic, the re-check after a new row was written, the live warning while dates are
// typed and the free-rooms queries. Two live bookings of one room collide when each begins
// before the other ends; a departure on the next arrival day is no collision, and bookings
// in the waiting position never collide.
class CollisionLogik {
public:
    // The four uses of the overlap query, each with its own head.
    enum class Kopf { NeueBuchung, GespeicherteBuchung, NachEinfuegen, Live };
    enum class LiveErgebnis { KeinTest, GleicheDaten, Frei, Belegt };

    CollisionLogik(Database& db, Dialogs& dialogs, KollisionsErgebnis& ergebnis);

    // ---- the overlap rule ----
    // The condition part of the overlap query for the range [von, bis).
    static QString bedingung(const QDate& von, const QDate& bis);
    // The whole query: head + condition. eigeneId is used by the heads that exclude a booking.
    static QString abfrage(Kopf kopf, int zimmer, const QDate& von, const QDate& bis, int eigeneId = 0);
    // IDs of the live bookings of the room that the range collides with.
    QList<int> ueberschneidungen(Kopf kopf, int zimmer, const QDate& von, const QDate& bis, int eigeneId = 0);

    // The test of the save: true when the save may go on. Without a collision it is true at
    // once; otherwise the collision list is filled and the dialog decides. eigeneId is 0 for a
    // new booking. The outcome flags are reset first.
    bool fktTesteÜberschneidungen(int zimmer, const QDate& von, const QDate& bis, int eigeneId, const NeueBuchung& neu,
                                  KollisionsDialog& dialog);

    // The live warning while dates are typed (room label and date texts of the form).
    LiveErgebnis liveTest(const QString& zimmerLabel, const QString& von, const QString& bis, int eigeneId);

    // ---- free rooms ----
    QList<FreiesZimmer> freieZimmer(const QDate& von, const QDate& bis);
    // Labels only, in room order, at most 100, for moving a booking aside: without the waiting
    // room, where a live booking would vanish from the plan (the dialog's "warten" parks it).
    QStringList freieZimmerLabels(const QDate& von, const QDate& bis);
    // The last room of the list is the plan's waiting row; 0 when the list has fewer than two.
    int warteZimmer();
    static constexpr int kMaxFreieZimmer = 100;

    // A booking with this short name belongs to a block booking.
    bool istBlockmitglied(const QString& kuerzel);

    // ---- the collision dialog ----
    const QList<Kollision>& liste() const { return liste_; }
    const NeueBuchung& neu() const { return neu_; }
    QString ueberschrift() const;
    // Runs when the dialog opens: a block member without a free room makes the new booking
    // impossible; the message is shown and the dialog acts as cmdÄndern. False: do not show.
    bool beimLaden();
    // cboBez of a row: the label chosen (empty: none).
    void zielZimmerWaehlen(int index, const QString& label);
    // chkLöschen of a row.
    void wartenSetzen(int index, bool warten);
    // txtVon / txtBis edited: a valid date goes straight back into the reservation form.
    void datumGeaendert(bool istVon, const QString& text);
    std::function<void(bool istVon, const QString& text)> datumZurueck;

    void cmdOK();
    void cmdÄndern();
    void cmdAbbrechen();
    void cmdWarten();

    const KollisionsErgebnis& ergebnis() const { return ergebnis_; }
    KollisionsErgebnis& ergebnis() { return ergebnis_; }

    // Fills the collision list for these booking IDs (kept in this order) with free rooms and
    // block membership. Normally done by the save-time test.
    void listeLaden(const QList<int>& ids, const NeueBuchung& neu);

private:
    QList<int> ids() const;
    bool zimmerFrei(int zimmer, const QDate& von, const QDate& bis, int eigeneId);

    Database& db_;
    Dialogs& dialogs_;
    KollisionsErgebnis& ergebnis_;
    QList<Kollision> liste_;
    NeueBuchung neu_;
};

}  // namespace tav
