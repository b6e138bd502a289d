#pragma once

#include <QDate>
#include <QList>

namespace tav {

class Database;
class Dialogs;

// The rules of this program that depend on block membership and are not part of saving a
// single booking: the hand-over row for the block program, the block number and the members
// of a booking's block, and the stale offers cleared at start.
class mdBlockbuchung {
public:
    // The window title of the block program, and the settings row both programs share.
    static inline const QString kFenster = QStringLiteral("Blockbuchung");
    static inline const QString kUebergabe = QStringLiteral("BlockBuchung");

    // Writes the booking into the hand-over row (F1), creating the row when it is missing.
    static void uebergabeSchreiben(Database& db, int buchungId);
    // The booking of the hand-over row; 0 when there is none.
    static int uebergabeLesen(Database& db);

    // The block number of the booking; 0 when it belongs to no block.
    static int BlocknummerDerBelegung(Database& db, int buchungId);
    // The bookings of the block, the leading one first, then by ID.
    static QList<int> mitglieder(Database& db, int block);
    // All members of the booking's block, or the booking alone when it is in none.
    static QList<int> buchungenMitBlock(Database& db, int buchungId);

    // What the stale-offer check did.
    struct Angebote {
        int ohneBlock = 0;  // offers outside a block found
        int geparkt = 0;    // of these, moved into the waiting position
        int imBlock = 0;    // offers of a block found
        int geloescht = 0;  // of these, deleted
    };
    // Offers that begin on or before `tag`: those outside a block may go into the waiting
    // position, those of a block may be deleted (with their membership), each after its questions.
    static Angebote Angebotskonflikte(Database& db, Dialogs& dialogs, const QDate& tag);
};

}  // namespace tav
