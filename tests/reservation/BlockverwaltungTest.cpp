#include <gtest/gtest.h>

#include "engine/DatabaseError.h"
#include "engine/Recordset.h"
#include "reservation/BelegungTestSupport.h"
#include "reservation/Blockverwaltung.h"
#include "store/Parameter.h"
#include "store/mdBlockbuchung.h"
#include "support/FremdeSperre.h"

using namespace tav;
using namespace Qt::StringLiterals;

class BlockverwaltungTest : public test::BookingFixture {
protected:
    void SetUp() override {
        BookingFixture::SetUp();
        db().execute(u"INSERT INTO Address (ID, FirstName, LastName) VALUES (3, 'Eva', 'Sommer')"_s);
        leiter_ = buchung(1, tag(10), tag(13), u"Chor"_s);
    }

    int bloecke(const QString& where = u"1 = 1"_s) { return db().scalar(u"SELECT Count(*) FROM tbBlockbuchung WHERE "_s + where).toInt(); }
    QList<int> freieNummern(Blockverwaltung& b) {
        QList<int> r;
        for (const BlockZimmer& z : b.freieZimmer()) r << z.nummer;
        return r;
    }

    int leiter_ = 0;
};

TEST_F(BlockverwaltungTest, ThreeRoomsAreWrittenAsOneBlockWithTheLeadingBookingMarked) {
    buchung(2, tag(12), tag(14), u"Belegt"_s);        // room 102 overlaps the last night
    buchung(3, tag(13), tag(15), u"Danach"_s);        // room 103 starts on the departure day: free
    buchung(4, tag(9), tag(11), u"Wartend"_s, true);  // waiting position: does not block 104
    Blockverwaltung b(db(), dialogs_);
    ASSERT_TRUE(b.laden(leiter_));
    EXPECT_EQ(b.blocknummer(), 0);
    EXPECT_EQ(b.ueberschrift(), u"Neue Blockbuchung – Eva Sommer, 10.03.2024 bis 13.03.2024"_s);
    EXPECT_EQ(freieNummern(b), (QList<int>{3, 4, 5, 6})) << "not 101 (in the block), 102 (taken), 7 (waiting row)";

    ASSERT_TRUE(b.zimmerHinzufuegen(3));
    ASSERT_TRUE(b.zimmerHinzufuegen(5));
    EXPECT_EQ(freieNummern(b), (QList<int>{4, 6}));
    ASSERT_TRUE(b.speichern());
    EXPECT_FALSE(b.geaendert());

    EXPECT_EQ(b.blocknummer(), 1);
    const QList<int> ids = mdBlockbuchung::mitglieder(db(), 1);
    ASSERT_EQ(ids.size(), 3);
    EXPECT_EQ(ids.first(), leiter_) << "the leading booking comes first";
    EXPECT_EQ(bloecke(u"Master = True"_s), 1);
    EXPECT_EQ(bloecke(u"IDBelegung = "_s + QString::number(leiter_) + u" AND Master = True"_s), 1);
    EXPECT_EQ(bloecke(u"BlVorname = 'Eva' AND BlNachname = 'Sommer'"_s), 3);

    // The new bookings take the leading booking's guest, kind and nights, the room's guests
    // and price, a short name of their own and a booking number of their own.
    const QStringList felder = {"GastID",      "Belegungsart",  "Von",   "Bis",      "AnzahlÜbernachtungen",
                                "AnzahlGäste", "PreisProNacht", "Preis", "Gelöscht", "Kürzel"};
    EXPECT_EQ(spalten(ids[1], felder), QStringList({"3", "1", t(10), t(13), "3", "2", "80", "240", "0", "Chor 103"}));
    EXPECT_EQ(spalten(ids[2], felder), QStringList({"3", "1", t(10), t(13), "3", "2", "80", "240", "0", "Chor 105"}));
    EXPECT_EQ(
        db().scalar(u"SELECT Count(*) FROM tblBelegung WHERE BelegNummer IN (SELECT BelegNummer FROM tblBelegung WHERE ID IN (?, ?))"_s,
                    {ids[1], ids[2]})
            .toInt(),
        2)
        << "each new booking has a number no other booking has";
    EXPECT_EQ(mdBlockbuchung::uebergabeLesen(db()), 0) << "the hand-over row was not written by the form";
    EXPECT_EQ(Parameter(db()).read(u"BlockBuchung"_s)->text(2), u"1"_s);
}

TEST_F(BlockverwaltungTest, RefusalsWriteNothing) {
    struct Fall {
        const char* warum;
        std::function<void(Blockverwaltung&)> vorher;
        QString meldung;
    };
    const QList<Fall> faelle = {
        {"a block of one room", [](Blockverwaltung&) {},
         QStringLiteral("Eine Blockbuchung besteht aus mindestens zwei Zimmern. Fügen Sie weitere Zimmer hinzu oder lösen Sie die "
                        "Blockbuchung auf.")},
        {"a room booked meanwhile by another workstation",
         [this](Blockverwaltung& b) {
             ASSERT_TRUE(b.zimmerHinzufuegen(2));
             ASSERT_TRUE(b.zimmerHinzufuegen(4));
             auto andere = open(u"Lokal.mdb"_s);
             andere->execute(
                 QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, Gelöscht, Belegungsart) VALUES (4, "
                                "#03-12-2024#, #03-20-2024#, 'Dazwischen', False, 1)"));
         },
         QStringLiteral("Es sind Konflikte im Netzwerkbetrieb aufgetreten: Zimmer 104 ist inzwischen vom 10.03.2024 bis 13.03.2024 "
                        "belegt. Die Blockbuchung wurde nicht gespeichert; wählen Sie ein anderes Zimmer.")},
        {"the leading booking deleted meanwhile",
         [this](Blockverwaltung& b) {
             ASSERT_TRUE(b.zimmerHinzufuegen(2));
             db().execute(u"DELETE * FROM tblBelegung WHERE ID = ?"_s, {leiter_});
         },
         u"Die führende Reservierung 'Chor' wurde inzwischen gelöscht. Die Blockbuchung wurde nicht gespeichert."_s},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        db().execute(u"DELETE * FROM tblBelegung WHERE Kürzel <> 'Chor'"_s);
        if (db().scalar(u"SELECT Count(*) FROM tblBelegung"_s).toInt() == 0) leiter_ = buchung(1, tag(10), tag(13), u"Chor"_s);
        const int vorher = zeilen();
        Blockverwaltung b(db(), dialogs_);
        ASSERT_TRUE(b.laden(leiter_));
        f.vorher(b);
        const int danach = zeilen();
        EXPECT_FALSE(b.speichern());
        EXPECT_EQ(dialogs_.last().text, f.meldung);
        EXPECT_EQ(dialogs_.last().caption, u"Blockbuchung"_s);
        EXPECT_EQ(bloecke(), 0);
        EXPECT_EQ(zeilen(), danach) << "no member booking written";
        EXPECT_LE(zeilen(), vorher + 1);
        dialogs_.clear();
    }
}

TEST_F(BlockverwaltungTest, AFailedMembershipWriteLeavesNoMemberBooking) {
    Blockverwaltung b(db(), dialogs_);
    ASSERT_TRUE(b.laden(leiter_));
    ASSERT_TRUE(b.zimmerHinzufuegen(2));
    ASSERT_TRUE(b.zimmerHinzufuegen(3));
    // The working file (membership rows, settings) is held by another workstation; the
    // bookings' file is free, so the member bookings are written before the failure.
    const int vorher = zeilen();
    {
        test::FremdeSperre sperre({test::FremdeSperre::dateiDer(db(), u"tbBlockbuchung"_s)});
        test::FremdeSperre::kurzWarten(db());
        EXPECT_THROW(b.speichern(), DatabaseError);
    }
    EXPECT_EQ(zeilen(), vorher);
    EXPECT_EQ(bloecke(), 0);
    EXPECT_TRUE(b.geaendert()) << "the window still holds what the user chose";
    EXPECT_TRUE(b.speichern()) << "once the lock is gone the same block is written";
    EXPECT_EQ(bloecke(), 3);
}

TEST_F(BlockverwaltungTest, MembersComeAndGoAndTheLeadMoves) {
    const int zwei = buchung(2, tag(10), tag(13), u"Chor 2"_s);
    const int drei = buchung(3, tag(10), tag(13), u"Chor 3"_s);
    inBlock(5, leiter_);
    inBlock(5, zwei);
    inBlock(5, drei);
    db().execute(u"UPDATE tbBlockbuchung SET Master = True WHERE IDBelegung = ?"_s, {leiter_});

    Blockverwaltung b(db(), dialogs_);
    ASSERT_TRUE(b.laden(drei));
    EXPECT_EQ(b.blocknummer(), 5);
    ASSERT_EQ(b.mitglieder().size(), 3);
    EXPECT_TRUE(b.mitglieder()[0].master);

    // The leading booking cannot leave; another takes the lead first.
    EXPECT_FALSE(b.entfernen(0));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die führende Reservierung kann nicht aus der Blockbuchung genommen werden. Bestimmen "
                                                   "Sie zuerst eine andere Reservierung als führende."));
    b.setMaster(2);
    ASSERT_TRUE(b.entfernen(0));
    ASSERT_TRUE(b.zimmerHinzufuegen(6));
    ASSERT_TRUE(b.speichern());

    EXPECT_EQ(mdBlockbuchung::BlocknummerDerBelegung(db(), leiter_), 0) << "taken out of the block";
    EXPECT_EQ(zeilen(u"ID = "_s + QString::number(leiter_)), 1) << "but the booking stays";
    const QList<int> ids = mdBlockbuchung::mitglieder(db(), 5);
    ASSERT_EQ(ids.size(), 3);
    EXPECT_EQ(ids.first(), drei);
    EXPECT_EQ(bloecke(u"Master = True"_s), 1);

    // Dissolving asks first; No keeps the block.
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(b.aufloesen());
    EXPECT_EQ(bloecke(), 3);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(b.aufloesen());
    EXPECT_EQ(bloecke(), 0);
    EXPECT_EQ(zeilen(), 4) << "dissolving keeps every booking";
    EXPECT_EQ(b.mitglieder().size(), 1);
}

TEST_F(BlockverwaltungTest, ADeletedLeadingBookingHandsTheLeadToTheOpenedOne) {
    const int zwei = buchung(2, tag(10), tag(13), u"Chor 2"_s);
    const int weg = 999;
    inBlock(2, weg);  // the leading booking, deleted elsewhere without its membership
    inBlock(2, leiter_);
    inBlock(2, zwei);
    db().execute(u"UPDATE tbBlockbuchung SET Master = True WHERE IDBelegung = ?"_s, {weg});
    Blockverwaltung b(db(), dialogs_);
    ASSERT_TRUE(b.laden(zwei));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die führende Reservierung dieser Blockbuchung gibt es nicht mehr. Die Reservierung "
                                                   "'Chor 2' führt die Blockbuchung jetzt. Speichern Sie die Blockbuchung, um das zu "
                                                   "übernehmen."));
    EXPECT_EQ(bloecke(u"IDBelegung = 999"_s), 0) << "the orphaned row is gone";
    EXPECT_TRUE(b.geaendert());
    ASSERT_TRUE(b.speichern());
    EXPECT_EQ(mdBlockbuchung::mitglieder(db(), 2), (QList<int>{zwei, leiter_}));
}

TEST_F(BlockverwaltungTest, ABookingThatCannotLeadABlockIsRefusedAtOpening) {
    const int wartend = buchung(2, tag(10), tag(13), u"Wartet"_s, true);
    struct Fall {
        const char* warum;
        int id;
        QString text;
    };
    const QList<Fall> faelle = {
        {"deleted", 4711, u"Die Reservierung mit der Nummer 4711 existiert nicht mehr. Die Blockbuchung kann nicht bearbeitet werden."_s},
        {"in the waiting position", wartend,
         QStringLiteral(
             "Die Reservierung steht in der Warteposition. Eine Blockbuchung kann nur aus einer Reservierung mit Zimmer angelegt "
             "werden.")},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        Blockverwaltung b(db(), dialogs_);
        EXPECT_FALSE(b.laden(f.id));
        EXPECT_EQ(dialogs_.last().text, f.text);
        dialogs_.clear();
    }
}

TEST_F(BlockverwaltungTest, ATakenRoomIsNotAddedAndShortNamesStayUnique) {
    buchung(4, tag(11), tag(12), u"Mitte"_s);
    buchung(5, tag(1), tag(2), u"Chor 105"_s);  // the short name a member of 105 would get
    Blockverwaltung b(db(), dialogs_);
    ASSERT_TRUE(b.laden(leiter_));
    EXPECT_FALSE(b.zimmerHinzufuegen(4));
    EXPECT_EQ(dialogs_.last().text, u"Dieses Zimmer ist vom 10.03.2024 bis 13.03.2024 nicht frei."_s);
    EXPECT_FALSE(b.zimmerHinzufuegen(7)) << "the waiting row is no room";
    EXPECT_FALSE(b.zimmerHinzufuegen(1)) << "already in the block";
    dialogs_.clear();
    ASSERT_TRUE(b.zimmerHinzufuegen(5));
    EXPECT_EQ(b.mitglieder().last().kuerzel, u"Chor 105-2"_s);
}
