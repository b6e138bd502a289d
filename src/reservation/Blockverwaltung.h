#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace tav {

class Database;
class Dialogs;
struct NummernMuster;

// One booking of a block as the block program shows it.
struct Blockmitglied {
    int buchungId = 0;  // 0: a room added here, booked when the block is saved
    int zimmer = 0;
    QString zimmerLabel;
    QString kuerzel;
    int gaeste = 0;
    double preis = 0;  // total of the stay
    bool master = false;
};

// A room that is free for all nights of the block.
struct BlockZimmer {
    int nummer = 0;
    QString label;
    int gaeste = 0;
    double preisProNacht = 0;
};

// The block program's rules: a block is made from one booking and further rooms for the same
// nights. It shows the block of a booking (or a new block with the booking as its leading
// one), offers the rooms free for those nights, adds and removes members, marks the leading
// booking, and writes the member bookings and the rows of tbBlockbuchung in one transaction,
// so that a block is written whole or not at all.
class Blockverwaltung {
public:
    Blockverwaltung(Database& db, Dialogs& dialogs);

    // Shows the block of the booking, or a new block led by it. False (after a message) when
    // the booking no longer exists or is in the waiting position. Members whose booking was
    // deleted meanwhile leave the block; when the leading booking was among them, this booking
    // leads the block from now on (after a message).
    bool laden(int buchungId);

    int buchungId() const { return buchungId_; }
    int blocknummer() const { return block_; }  // 0 for a block not saved yet
    const QDate& von() const { return von_; }
    const QDate& bis() const { return bis_; }
    const QString& gast() const { return gast_; }
    const QList<Blockmitglied>& mitglieder() const { return mitglieder_; }
    bool geaendert() const { return geaendert_; }
    // "Blockbuchung 12 – Sommer, 01.03.2024 bis 04.03.2024" or "Neue Blockbuchung – …"
    QString ueberschrift() const;

    // The rooms free for every night of the block that are not in it yet, in room order,
    // without the waiting row's room.
    QList<BlockZimmer> freieZimmer();
    // Adds a free room; false (after a message) when it is taken or already in the block.
    bool zimmerHinzufuegen(int zimmer);
    // Removes the member at `index` from the block (its booking stays as a single booking;
    // a room added here and not yet saved is simply dropped). The leading booking is not removed.
    bool entfernen(int index);
    void setMaster(int index);

    // Writes the block. Refused with a message: fewer than two rooms; a room taken meanwhile
    // (nothing is written then); the leading booking deleted meanwhile.
    bool speichern();
    // Dissolves the block after a question: every membership goes, the bookings stay.
    bool aufloesen();

    static inline const QString kTitel = QStringLiteral("Blockbuchung");

private:
    bool buchungLesen(int id);
    bool zimmerFrei(int zimmer, int ohneBuchung);
    QString kuerzelFuer(const QString& label);
    int neueBuchung(const Blockmitglied& m, const NummernMuster& muster);

    Database& db_;
    Dialogs& dialogs_;
    int buchungId_ = 0;
    int block_ = 0;
    QDate von_, bis_;
    QString gast_;
    QString kuerzel_;
    int warteZimmer_ = 0;
    QList<Blockmitglied> mitglieder_;
    QList<int> entfernt_;  // stored members taken out, written on save
    bool geaendert_ = false;
};

}  // namespace tav
