#include <gtest/gtest.h>

#include "reservation/BelegungTestSupport.h"

using namespace tav;
using Kopf = CollisionLogik::Kopf;
using Live = CollisionLogik::LiveErgebnis;

class CollisionLogikTest : public test::BookingFixture {
protected:
    CollisionLogik pruefung() { return CollisionLogik(db(), dialogs_, kollision_); }
};

// Every range of a three-week window against one booking of the 10th to the 12th: the query
// must agree with "each begins before the other ends", for every head.
TEST_F(CollisionLogikTest, QueryAgreesWithTheRuleForEveryRange) {
    const int e = buchung(1, tag(10), tag(12), QStringLiteral("E"));
    buchung(2, tag(1), tag(28), QStringLiteral("anderes Zimmer"));
    buchung(1, tag(1), tag(28), QStringLiteral("wartet"), true);
    CollisionLogik p = pruefung();
    int kollisionen = 0;
    for (int v = 5; v <= 16; ++v) {
        for (int b = v + 1; b <= 18; ++b) {
            const bool erwartet = tag(10) < tag(b) && tag(v) < tag(12);
            kollisionen += erwartet;
            const QString fall = QStringLiteral("%1.–%2.").arg(v).arg(b);
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
    buchung(1, tag(10), tag(12), QStringLiteral("a"));        // collides
    buchung(2, tag(12), tag(14), QStringLiteral("b"));        // touches the end: free
    buchung(3, tag(8), tag(10), QStringLiteral("c"));         // touches the start: free
    buchung(4, tag(5), tag(20), QStringLiteral("d"));         // contains the range
    buchung(5, tag(10), tag(12), QStringLiteral("e"), true);  // waiting: free
    buchung(6, tag(11), tag(11, 4), QStringLiteral("f"));     // starts inside
    CollisionLogik p = pruefung();
    const QList<FreiesZimmer> frei = p.freieZimmer(tag(10), tag(12));
    QList<int> nummern;
    for (const FreiesZimmer& z : frei) nummern << z.nummer;
    EXPECT_EQ(nummern, (QList<int>{2, 3, 5, 7})) << "the query lists the waiting room too";
    EXPECT_EQ(p.freieZimmerLabels(tag(10), tag(12)), (QStringList{QStringLiteral("102"), QStringLiteral("103"), QStringLiteral("105")}));
    EXPECT_EQ(p.freieZimmerLabels(tag(1, 5), tag(3, 5)).size(), 6) << "every room, but never the waiting row's";
}

TEST_F(CollisionLogikTest, FreeRoomLabelsStopAtOneHundredInRoomOrder) {
    db().beginTrans();
    // A large hotel: its waiting room is the last one, 215.
    db().execute(QStringLiteral("DELETE FROM tbZimmernummern WHERE Zimmernummer = 7"));
    for (int i = 107; i <= 130; ++i)
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (?, ?)"),
                     {200 - i, QStringLiteral("R%1").arg(200 - i)});
    for (int i = 131; i <= 215; ++i)
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (?, ?)"),
                     {i, QStringLiteral("R%1").arg(i)});
    db().commitTrans();
    CollisionLogik p = pruefung();
    const QStringList labels = p.freieZimmerLabels(tag(10), tag(12));
    ASSERT_EQ(labels.size(), 100);
    EXPECT_EQ(labels.first(), QStringLiteral("101"));
    EXPECT_EQ(labels[6], QStringLiteral("R70")) << "room 70 comes right after room 6";
    EXPECT_EQ(labels.last(), QStringLiteral("R200")) << "6 + 24 + 70 rooms";
}

TEST_F(CollisionLogikTest, LiveTestWarnsOnlyForOtherBookings) {
    const int eigene = buchung(1, tag(10), tag(12), QStringLiteral("eigen"));
    CollisionLogik p = pruefung();
    struct Fall {
        QString zimmer, von, bis;
        int eigeneId;
        Live erwartet;
    };
    const QList<Fall> faelle = {
        {QStringLiteral("101"), t(10), t(12), eigene, Live::Frei},                   // only the booking itself
        {QStringLiteral("101"), t(10), t(12), 0, Live::Belegt},                      // a new booking on it
        {QStringLiteral("101"), t(12), t(14), 0, Live::Frei},                        // touching
        {QStringLiteral("102"), t(10), t(12), 0, Live::Frei},                        // another room
        {QString(), t(10), t(12), 0, Live::KeinTest},                                // no room chosen
        {QStringLiteral("101"), QStringLiteral("10.3."), t(12), 0, Live::KeinTest},  // still typing
        {QStringLiteral("101"), t(10), QStringLiteral("12.03.2"), 0, Live::KeinTest},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(p.liveTest(f.zimmer, f.von, f.bis, f.eigeneId), f.erwartet) << qPrintable(f.zimmer + " " + f.von + " " + f.bis);
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    buchung(1, tag(11), tag(13), QStringLiteral("zweite"));
    EXPECT_EQ(p.liveTest(QStringLiteral("101"), t(10), t(12), eigene), Live::Belegt) << "itself and another booking";

    EXPECT_EQ(p.liveTest(QStringLiteral("101"), t(10), QStringLiteral("10.03.24"), 0), Live::GleicheDaten);
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Das Anfangs- und Enddatum sind gleich. Bitte korrigiren Sie die Eingaben."));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Reservierung"));
}

TEST_F(CollisionLogikTest, CollisionListHeadingAndToolTips) {
    const int a = buchung(1, tag(10), tag(12), QStringLiteral("Alpha"));
    const int b = buchung(1, tag(12), tag(14), QStringLiteral("Beta"));
    buchung(2, tag(1), tag(28), QStringLiteral("voll 2"));
    buchung(3, tag(1), tag(28), QStringLiteral("voll 3"));
    buchung(4, tag(1), tag(28), QStringLiteral("voll 4"));
    buchung(5, tag(11), tag(13), QStringLiteral("halb 5"));
    buchung(6, tag(13), tag(28), QStringLiteral("halb 6"));
    CollisionLogik p = pruefung();
    p.listeLaden({b, a}, NeueBuchung{QStringLiteral("Neu"), t(10), t(14), QStringLiteral("101")});
    ASSERT_EQ(p.liste().size(), 2);
    EXPECT_EQ(p.liste()[0].kuerzel, QStringLiteral("Alpha")) << "by departure, whatever order the overlap query gave";
    EXPECT_EQ(p.ueberschrift(),
              QStringLiteral("Die neue Reservierung überschneidet sich mit folgenden 2 bereits vorhandenen Reservierungen:"));
    EXPECT_EQ(p.liste()[0].tooltip(), QStringLiteral("Diese Reservierung kann auf 106 verschoben werden."));
    EXPECT_EQ(p.liste()[1].tooltip(), QStringLiteral("Diese Reservierung kann nicht verschoben werden."));

    p.listeLaden({a}, NeueBuchung{});
    EXPECT_EQ(p.ueberschrift(), QStringLiteral("Die neue Reservierung überschneidet sich mit folgender bereits vorhandenen Reservierung:"));
    db().execute(QStringLiteral("DELETE * FROM tblBelegung WHERE Kürzel Like 'halb*'"));
    p.listeLaden({a}, NeueBuchung{});
    EXPECT_EQ(p.liste()[0].tooltip(), QStringLiteral("Diese Reservierung kann auf 105 oder 106 verschoben werden."));
}

TEST_F(CollisionLogikTest, BlockMembersAreRecognisedByTheirOwnShortNameOnly) {
    const int mitglied = buchung(1, tag(10), tag(12), QStringLiteral("Zi#1"));
    const int aehnlich = buchung(2, tag(10), tag(12), QStringLiteral("Zi11"));
    const int stern = buchung(3, tag(10), tag(12), QStringLiteral("Gruppe*"));
    inBlock(5, mitglied);
    CollisionLogik p = pruefung();
    EXPECT_TRUE(p.istBlockmitglied(QStringLiteral("Zi#1")));
    EXPECT_TRUE(p.istBlockmitglied(QStringLiteral("zi#1"))) << "short names compare without regard to case";
    EXPECT_FALSE(p.istBlockmitglied(QStringLiteral("Zi11"))) << "# is a digit wildcard only in patterns";
    EXPECT_FALSE(p.istBlockmitglied(QStringLiteral("Gruppe*")));
    inBlock(6, stern);
    EXPECT_TRUE(p.istBlockmitglied(QStringLiteral("Gruppe*")));
    EXPECT_FALSE(p.istBlockmitglied(QStringLiteral("Gruppe")));
    Q_UNUSED(aehnlich);
}

TEST_F(CollisionLogikTest, BlockMemberWithoutFreeRoomStopsTheDialog) {
    for (int z = 2; z <= 6; ++z) buchung(z, tag(1), tag(28), QStringLiteral("voll %1").arg(z));
    const int mitglied = buchung(1, tag(10), tag(12), QStringLiteral("Gruppe"));
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
    EXPECT_EQ(dialogs_.last().icon, Icon::Critical);
    EXPECT_FALSE(kollision_.geloest);
    EXPECT_TRUE(kollision_.imFormularBleiben);

    db().execute(QStringLiteral("DELETE * FROM tblBelegung WHERE Zimmernummer = 6"));
    p.listeLaden({mitglied}, NeueBuchung{});
    EXPECT_TRUE(p.beimLaden()) << "with a free room the member can be moved";
}

TEST_F(CollisionLogikTest, OkMovesWhatCanBeMovedAndRefusesTheRest) {
    const int ziel = buchung(1, tag(10), tag(11), QStringLiteral("Ziel"));
    const int warte = buchung(1, tag(11), tag(12), QStringLiteral("Warte"));
    const int nein = buchung(1, tag(12), tag(13), QStringLiteral("Nein"));
    const int nichts = buchung(1, tag(13), tag(14), QStringLiteral("Nichts"));
    const int rechnung = buchung(1, tag(14), tag(15), QStringLiteral("Rechnung"), false, 1);
    const int geteilt = buchung(1, tag(15), tag(16), QStringLiteral("Geteilt"), false, 0, QStringLiteral("Y"));
    CollisionLogik p = pruefung();
    p.listeLaden({ziel, warte, nein, nichts, rechnung, geteilt}, NeueBuchung{});
    p.zielZimmerWaehlen(0, QStringLiteral("103"));
    p.wartenSetzen(1, true);
    p.wartenSetzen(2, true);
    p.zielZimmerWaehlen(4, QStringLiteral("104"));
    p.zielZimmerWaehlen(5, QStringLiteral("105"));
    dialogs_.answer(Answer::Yes);  // "Warte" into the waiting position
    dialogs_.answer(Answer::No);   // "Nein" stays
    p.cmdOK();
    EXPECT_EQ(dialogs_.texts(),
              (QStringList{
                  QStringLiteral("Möchten Sie die Reservierung mit dem Kürzel Warte in die Warteposition verschieben?"),
                  QStringLiteral("Möchten Sie die Reservierung mit dem Kürzel Nein in die Warteposition verschieben?"),
                  QStringLiteral("Die Reservierung (Nein) konnte nicht gespeichert werden, weil kein Zimmer mehr frei war."),
                  QStringLiteral("Die Reservierung (Nichts) konnte nicht gespeichert werden, weil kein Zimmer mehr frei war."),
                  QStringLiteral("Die Reservierung (Rechnung) konnte nicht gespeichert werden, weil sie bereits abgerechnet wurde."),
                  QStringLiteral("Die Reservierung (Geteilt) konnte nicht gespeichert werden, weil sie bereits abgerechnet wurde."),
              }));
    EXPECT_EQ(dialogs_.shown()[0].icon, Icon::Critical);
    EXPECT_EQ(dialogs_.shown()[0].buttons, Buttons::YesNo);
    EXPECT_FALSE(kollision_.geloest);
    EXPECT_EQ(zeilen(QStringLiteral("ID = %1 AND Zimmernummer = 3 AND Gelöscht = False").arg(ziel)), 1);
    EXPECT_EQ(zeilen(QStringLiteral("ID = %1 AND Zimmernummer = 1 AND Gelöscht = True").arg(warte)), 1);
    EXPECT_EQ(zeilen(QStringLiteral("Zimmernummer = 1 AND Gelöscht = False")), 4) << "Nein, Nichts, Rechnung, Geteilt stay";
}

TEST_F(CollisionLogikTest, OkResolvesWhenEveryBookingMoves) {
    const int a = buchung(1, tag(10), tag(12), QStringLiteral("a"));
    const int b = buchung(1, tag(12), tag(14), QStringLiteral("b"));
    CollisionLogik p = pruefung();
    p.listeLaden({a, b}, NeueBuchung{});
    p.zielZimmerWaehlen(0, QStringLiteral("102"));
    p.zielZimmerWaehlen(1, QStringLiteral("102"));
    p.wartenSetzen(1, true);  // a room and the waiting box: moved there, in the waiting position
    p.cmdOK();
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_TRUE(kollision_.geloest);
    EXPECT_EQ(zeilen(QStringLiteral("Zimmernummer = 2 AND Gelöscht = False")), 1);
    EXPECT_EQ(zeilen(QStringLiteral("Zimmernummer = 2 AND Gelöscht = True")), 1);
}

TEST_F(CollisionLogikTest, OkRefusesATargetRoomTakenMeanwhile) {
    const int a = buchung(1, tag(10), tag(12), QStringLiteral("a"));
    CollisionLogik p = pruefung();
    p.listeLaden({a}, NeueBuchung{});
    ASSERT_TRUE(p.liste()[0].freieZimmer.contains(QStringLiteral("102")));
    p.zielZimmerWaehlen(0, QStringLiteral("102"));
    buchung(2, tag(11), tag(15), QStringLiteral("schneller"));  // another workstation
    p.cmdOK();
    EXPECT_EQ(dialogs_.texts(),
              QStringList{QStringLiteral("Die Reservierung (a) konnte nicht gespeichert werden, weil kein Zimmer mehr frei war.")});
    EXPECT_FALSE(kollision_.geloest);
    EXPECT_EQ(zeilen(QStringLiteral("ID = %1 AND Zimmernummer = 1").arg(a)), 1);
}

TEST_F(CollisionLogikTest, ButtonsSetTheOutcomeFlags) {
    CollisionLogik p = pruefung();
    p.cmdÄndern();
    EXPECT_FALSE(kollision_.geloest);
    EXPECT_TRUE(kollision_.imFormularBleiben);
    kollision_ = {};
    p.cmdAbbrechen();
    EXPECT_TRUE(kollision_.geloest);
    EXPECT_TRUE(kollision_.verwerfen);
    EXPECT_FALSE(kollision_.inWarteposition);
    kollision_ = {};
    p.cmdWarten();
    EXPECT_TRUE(kollision_.geloest);
    EXPECT_TRUE(kollision_.inWarteposition);
    EXPECT_FALSE(kollision_.verwerfen);
    kollision_ = {};
    p.listeLaden({}, NeueBuchung{QStringLiteral("x"), t(1), t(2), QStringLiteral("101"), true});
    p.cmdWarten();
    EXPECT_FALSE(kollision_.geloest) << "a block member is never parked";
}

TEST_F(CollisionLogikTest, DialogDatesGoBackOnlyWhenValid) {
    CollisionLogik p = pruefung();
    QStringList zurueck;
    p.datumZurueck = [&zurueck](bool istVon, const QString& text) {
        zurueck << (istVon ? QStringLiteral("von ") : QStringLiteral("bis ")) + text;
    };
    p.datumGeaendert(true, QStringLiteral("12.03."));
    p.datumGeaendert(true, QStringLiteral("12.03.24"));
    p.datumGeaendert(false, QStringLiteral("31.04.2024"));
    p.datumGeaendert(false, QStringLiteral(" 01.05.2024"));
    EXPECT_EQ(zurueck, (QStringList{QStringLiteral("von 12.03.24"), QStringLiteral("bis 01.05.2024")}));
    EXPECT_EQ(p.neu().bis, QStringLiteral("01.05.2024"));
}
