#include <gtest/gtest.h>

#include "reservation/BelegungTestSupport.h"

using namespace tav;
using namespace Qt::StringLiterals;
using Kopf = CollisionLogik::Kopf;
using Live = CollisionLogik::LiveErgebnis;

class CollisionLogikTest : public test::BookingFixture {
protected:
    CollisionLogik pruefung() { return CollisionLogik(db(), dialogs_, kollision_); }
};

// Every range of a three-week window against one booking of the 10th to the 12th: the query
// must agree with "each begins before the other ends", for every head.
TEST_F(CollisionLogikTest, QueryAgreesWithTheRuleForEveryRange) {
    const int e = buchung(1, tag(10), tag(12), u"E"_s);
    buchung(2, tag(1), tag(28), u"anderes Zimmer"_s);
    buchung(1, tag(1), tag(28), u"wartet"_s, true);
    CollisionLogik p = pruefung();
    int kollisionen = 0;
    for (int v = 5; v <= 16; ++v) {
        for (int b = v + 1; b <= 18; ++b) {
            const bool erwartet = tag(10) < tag(b) && tag(v) < tag(12);
            kollisionen += erwartet;
            const QString fall = u"%1.–%2."_s.arg(v).arg(b);
            EXPECT_EQ(p.ueberschneidungen(Kopf::NeueBuchung, 1, tag(v), tag(b)), erwartet ? QList<int>{e} : QList<int>{})
                << qPrintable(fall);
            EXPECT_EQ(p.ueberschneidungen(Kopf::Live, 1, tag(v), tag(b)), erwartet ? QList<int>{e} : QList<int>{}) << qPrintable(fall);
            EXPECT_EQ(p.ueberschneidungen(Kopf::GespeicherteBuchung, 1, tag(v), tag(b), 999), erwartet ? QList<int>{e} : QList<int>{})
                << qPrintable(fall);
            // The booking itself is left out by the heads that exclude an ID.
            EXPECT_TRUE(p.ueberschneidungen(Kopf::GespeicherteBuchung, 1, tag(v), tag(b), e).isEmpty()) << qPrintable(fall);
            EXPECT_TRUE(p.ueberschneidungen(Kopf::NachEinfuegen, 1, tag(v), tag(b), e).isEmpty()) << qPrintable(fall);
        }
    }
    EXPECT_GT(kollisionen, 20) << "the window holds colliding and free ranges";
    // Touching on both sides and the identical range, spelled out.
    EXPECT_TRUE(p.ueberschneidungen(Kopf::NeueBuchung, 1, tag(12), tag(14)).isEmpty());
    EXPECT_TRUE(p.ueberschneidungen(Kopf::NeueBuchung, 1, tag(8), tag(10)).isEmpty());
    EXPECT_EQ(p.ueberschneidungen(Kopf::NeueBuchung, 1, tag(10), tag(12)), QList<int>{e});
    EXPECT_EQ(p.ueberschneidungen(Kopf::NeueBuchung, 1, tag(11), tag(13)), QList<int>{e});
}

TEST_F(CollisionLogikTest, FreeRoomsLeaveOutRoomsWithALiveBookingInTheRange) {
    buchung(1, tag(10), tag(12), u"a"_s);        // collides
    buchung(2, tag(12), tag(14), u"b"_s);        // touches the end: free
    buchung(3, tag(8), tag(10), u"c"_s);         // touches the start: free
    buchung(4, tag(5), tag(20), u"d"_s);         // contains the range
    buchung(5, tag(10), tag(12), u"e"_s, true);  // waiting: free
    buchung(6, tag(11), tag(11, 4), u"f"_s);     // starts inside
    CollisionLogik p = pruefung();
    const QList<FreiesZimmer> frei = p.freieZimmer(tag(10), tag(12));
    QList<int> nummern;
    for (const FreiesZimmer& z : frei) nummern << z.nummer;
    EXPECT_EQ(nummern, (QList<int>{2, 3, 5, 7})) << "the query lists the waiting room too";
    EXPECT_EQ(p.freieZimmerLabels(tag(10), tag(12)), (QStringList{u"102"_s, u"103"_s, u"105"_s}));
    EXPECT_EQ(p.freieZimmerLabels(tag(1, 5), tag(3, 5)).size(), 6) << "every room, but never the waiting row's";
}

TEST_F(CollisionLogikTest, FreeRoomLabelsStopAtOneHundredInRoomOrder) {
    db().beginTrans();
    // A large hotel: its waiting room is the last one, 215.
    db().execute(u"DELETE FROM tbZimmernummern WHERE Zimmernummer = 7"_s);
    for (int i = 107; i <= 130; ++i)
        db().execute(u"INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (?, ?)"_s, {200 - i, u"R%1"_s.arg(200 - i)});
    for (int i = 131; i <= 215; ++i)
        db().execute(u"INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (?, ?)"_s, {i, u"R%1"_s.arg(i)});
    db().commitTrans();
    CollisionLogik p = pruefung();
    const QStringList labels = p.freieZimmerLabels(tag(10), tag(12));
    ASSERT_EQ(labels.size(), 100);
    EXPECT_EQ(labels.first(), u"101"_s);
    EXPECT_EQ(labels[6], u"R70"_s) << "room 70 comes right after room 6";
    EXPECT_EQ(labels.last(), u"R200"_s) << "6 + 24 + 70 rooms";
}

TEST_F(CollisionLogikTest, LiveTestWarnsOnlyForOtherBookings) {
    const int eigene = buchung(1, tag(10), tag(12), u"eigen"_s);
    CollisionLogik p = pruefung();
    struct Fall {
        QString zimmer, von, bis;
        int eigeneId;
        Live erwartet;
    };
    const QList<Fall> faelle = {
        {u"101"_s, t(10), t(12), eigene, Live::Frei},      // only the booking itself
        {u"101"_s, t(10), t(12), 0, Live::Belegt},         // a new booking on it
        {u"101"_s, t(12), t(14), 0, Live::Frei},           // touching
        {u"102"_s, t(10), t(12), 0, Live::Frei},           // another room
        {QString(), t(10), t(12), 0, Live::KeinTest},      // no room chosen
        {u"101"_s, u"10.3."_s, t(12), 0, Live::KeinTest},  // still typing
        {u"101"_s, t(10), u"12.03.2"_s, 0, Live::KeinTest},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(p.liveTest(f.zimmer, f.von, f.bis, f.eigeneId), f.erwartet) << qPrintable(f.zimmer + " " + f.von + " " + f.bis);
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    buchung(1, tag(11), tag(13), u"zweite"_s);
    EXPECT_EQ(p.liveTest(u"101"_s, t(10), t(12), eigene), Live::Belegt) << "itself and another booking";

    EXPECT_EQ(p.liveTest(u"101"_s, t(10), u"10.03.24"_s, 0), Live::GleicheDaten);
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(dialogs_.last().text, u"Das Anfangs- und Enddatum sind gleich. Bitte korrigiren Sie die Eingaben."_s);
    EXPECT_EQ(dialogs_.last().caption, u"Reservierung"_s);
}

TEST_F(CollisionLogikTest, CollisionListHeadingAndToolTips) {
    const int a = buchung(1, tag(10), tag(12), u"Alpha"_s);
    const int b = buchung(1, tag(12), tag(14), u"Beta"_s);
    buchung(2, tag(1), tag(28), u"voll 2"_s);
    buchung(3, tag(1), tag(28), u"voll 3"_s);
    buchung(4, tag(1), tag(28), u"voll 4"_s);
    buchung(5, tag(11), tag(13), u"halb 5"_s);
    buchung(6, tag(13), tag(28), u"halb 6"_s);
    CollisionLogik p = pruefung();
    p.listeLaden({b, a}, NeueBuchung{u"Neu"_s, t(10), t(14), u"101"_s});
    ASSERT_EQ(p.liste().size(), 2);
    EXPECT_EQ(p.liste()[0].kuerzel, u"Alpha"_s) << "by departure, whatever order the overlap query gave";
    EXPECT_EQ(p.ueberschrift(), u"Die neue Reservierung überschneidet sich mit folgenden 2 bereits vorhandenen Reservierungen:"_s);
    EXPECT_EQ(p.liste()[0].tooltip(), u"Diese Reservierung kann auf 106 verschoben werden."_s);
    EXPECT_EQ(p.liste()[1].tooltip(), u"Diese Reservierung kann nicht verschoben werden."_s);

    p.listeLaden({a}, NeueBuchung{});
    EXPECT_EQ(p.ueberschrift(), u"Die neue Reservierung überschneidet sich mit folgender bereits vorhandenen Reservierung:"_s);
    db().execute(u"DELETE * FROM tblBelegung WHERE Kürzel Like 'halb*'"_s);
    p.listeLaden({a}, NeueBuchung{});
    EXPECT_EQ(p.liste()[0].tooltip(), u"Diese Reservierung kann auf 105 oder 106 verschoben werden."_s);
}

TEST_F(CollisionLogikTest, BlockMembersAreRecognisedByTheirOwnShortNameOnly) {
    const int mitglied = buchung(1, tag(10), tag(12), u"Zi#1"_s);
    const int aehnlich = buchung(2, tag(10), tag(12), u"Zi11"_s);
    const int stern = buchung(3, tag(10), tag(12), u"Gruppe*"_s);
    inBlock(5, mitglied);
    CollisionLogik p = pruefung();
    EXPECT_TRUE(p.istBlockmitglied(u"Zi#1"_s));
    EXPECT_TRUE(p.istBlockmitglied(u"zi#1"_s)) << "short names compare without regard to case";
    EXPECT_FALSE(p.istBlockmitglied(u"Zi11"_s)) << "# is a digit wildcard only in patterns";
    EXPECT_FALSE(p.istBlockmitglied(u"Gruppe*"_s));
    inBlock(6, stern);
    EXPECT_TRUE(p.istBlockmitglied(u"Gruppe*"_s));
    EXPECT_FALSE(p.istBlockmitglied(u"Gruppe"_s));
    Q_UNUSED(aehnlich);
}

TEST_F(CollisionLogikTest, BlockMemberWithoutFreeRoomStopsTheDialog) {
    for (int z = 2; z <= 6; ++z) buchung(z, tag(1), tag(28), u"voll %1"_s.arg(z));
    const int mitglied = buchung(1, tag(10), tag(12), u"Gruppe"_s);
    inBlock(1, mitglied);
    CollisionLogik p = pruefung();
    p.listeLaden({mitglied}, NeueBuchung{});
    ASSERT_TRUE(p.liste()[0].blockbuchung);
    p.wartenSetzen(0, true);
    EXPECT_FALSE(p.liste()[0].warten) << "a block member never goes into the waiting position";
    EXPECT_FALSE(p.beimLaden());
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Diese Reservierung kann nicht gespeichert werden. Es existieren Blockbuchugen, die "
                                                   "nicht verschoben werden können. Bitte ändern Sie die aktuelle Reservierung."));
    EXPECT_EQ(std::tuple(dialogs_.last().icon, kollision_.geloest, kollision_.imFormularBleiben), std::tuple(Icon::Critical, false, true));

    db().execute(u"DELETE * FROM tblBelegung WHERE Zimmernummer = 6"_s);
    p.listeLaden({mitglied}, NeueBuchung{});
    EXPECT_TRUE(p.beimLaden()) << "with a free room the member can be moved";
}

TEST_F(CollisionLogikTest, OkMovesWhatCanBeMovedAndRefusesTheRest) {
    const int ziel = buchung(1, tag(10), tag(11), u"Ziel"_s);
    const int warte = buchung(1, tag(11), tag(12), u"Warte"_s);
    const int nein = buchung(1, tag(12), tag(13), u"Nein"_s);
    const int nichts = buchung(1, tag(13), tag(14), u"Nichts"_s);
    const int rechnung = buchung(1, tag(14), tag(15), u"Rechnung"_s, false, 1);
    const int geteilt = buchung(1, tag(15), tag(16), u"Geteilt"_s, false, 0, u"Y"_s);
    CollisionLogik p = pruefung();
    p.listeLaden({ziel, warte, nein, nichts, rechnung, geteilt}, NeueBuchung{});
    p.zielZimmerWaehlen(0, u"103"_s);
    p.wartenSetzen(1, true);
    p.wartenSetzen(2, true);
    p.zielZimmerWaehlen(4, u"104"_s);
    p.zielZimmerWaehlen(5, u"105"_s);
    dialogs_.answer(Answer::Yes);  // "Warte" into the waiting position
    dialogs_.answer(Answer::No);   // "Nein" stays
    p.cmdOK();
    EXPECT_EQ(dialogs_.texts(), (QStringList{
                                    u"Möchten Sie die Reservierung mit dem Kürzel Warte in die Warteposition verschieben?"_s,
                                    u"Möchten Sie die Reservierung mit dem Kürzel Nein in die Warteposition verschieben?"_s,
                                    u"Die Reservierung (Nein) konnte nicht gespeichert werden, weil kein Zimmer mehr frei war."_s,
                                    u"Die Reservierung (Nichts) konnte nicht gespeichert werden, weil kein Zimmer mehr frei war."_s,
                                    u"Die Reservierung (Rechnung) konnte nicht gespeichert werden, weil sie bereits abgerechnet wurde."_s,
                                    u"Die Reservierung (Geteilt) konnte nicht gespeichert werden, weil sie bereits abgerechnet wurde."_s,
                                }));
    EXPECT_EQ(std::tuple(dialogs_.shown()[0].icon, dialogs_.shown()[0].buttons, kollision_.geloest),
              std::tuple(Icon::Critical, Buttons::YesNo, false));
    // Moved, parked in its room, and Nein, Nichts, Rechnung, Geteilt stay.
    QStringList stand;
    for (int id : {ziel, warte, nein, nichts, rechnung, geteilt}) stand += spalten(id, {"Zimmernummer", "Gelöscht"});
    EXPECT_EQ(stand, QStringList({"3", "0", "1", "-1", "1", "0", "1", "0", "1", "0", "1", "0"}));
}

TEST_F(CollisionLogikTest, OkResolvesWhenEveryBookingMoves) {
    const int a = buchung(1, tag(10), tag(12), u"a"_s);
    const int b = buchung(1, tag(12), tag(14), u"b"_s);
    CollisionLogik p = pruefung();
    p.listeLaden({a, b}, NeueBuchung{});
    p.zielZimmerWaehlen(0, u"102"_s);
    p.zielZimmerWaehlen(1, u"102"_s);
    p.wartenSetzen(1, true);  // a room and the waiting box: moved there, in the waiting position
    p.cmdOK();
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_TRUE(kollision_.geloest);
    EXPECT_EQ(spalten(a, {"Zimmernummer", "Gelöscht"}) + spalten(b, {"Zimmernummer", "Gelöscht"}), QStringList({"2", "0", "2", "-1"}));
}

TEST_F(CollisionLogikTest, OkRefusesATargetRoomTakenMeanwhile) {
    const int a = buchung(1, tag(10), tag(12), u"a"_s);
    CollisionLogik p = pruefung();
    p.listeLaden({a}, NeueBuchung{});
    ASSERT_TRUE(p.liste()[0].freieZimmer.contains(u"102"_s));
    p.zielZimmerWaehlen(0, u"102"_s);
    buchung(2, tag(11), tag(15), u"schneller"_s);  // another workstation
    p.cmdOK();
    EXPECT_EQ(dialogs_.texts(), QStringList{u"Die Reservierung (a) konnte nicht gespeichert werden, weil kein Zimmer mehr frei war."_s});
    EXPECT_FALSE(kollision_.geloest);
    EXPECT_EQ(zeilen(u"ID = %1 AND Zimmernummer = 1"_s.arg(a)), 1);
}

TEST_F(CollisionLogikTest, ButtonsSetTheOutcomeFlags) {
    CollisionLogik p = pruefung();
    // Solved, stay in the form, discard, waiting position.
    const auto flags = [this] {
        const auto r = std::tuple(kollision_.geloest, kollision_.imFormularBleiben, kollision_.verwerfen, kollision_.inWarteposition);
        kollision_ = {};
        return r;
    };
    p.cmdÄndern();
    EXPECT_EQ(flags(), std::tuple(false, true, false, false));
    p.cmdAbbrechen();
    EXPECT_EQ(flags(), std::tuple(true, false, true, false));
    p.cmdWarten();
    EXPECT_EQ(flags(), std::tuple(true, false, false, true));
    p.listeLaden({}, NeueBuchung{u"x"_s, t(1), t(2), u"101"_s, true});
    p.cmdWarten();
    EXPECT_FALSE(kollision_.geloest) << "a block member is never parked";
}

TEST_F(CollisionLogikTest, DialogDatesGoBackOnlyWhenValid) {
    CollisionLogik p = pruefung();
    QStringList zurueck;
    p.datumZurueck = [&zurueck](bool istVon, const QString& text) { zurueck << (istVon ? u"von "_s : u"bis "_s) + text; };
    p.datumGeaendert(true, u"12.03."_s);
    p.datumGeaendert(true, u"12.03.24"_s);
    p.datumGeaendert(false, u"31.04.2024"_s);
    p.datumGeaendert(false, u" 01.05.2024"_s);
    EXPECT_EQ(zurueck, (QStringList{u"von 12.03.24"_s, u"bis 01.05.2024"_s}));
    EXPECT_EQ(p.neu().bis, u"01.05.2024"_s);
}
