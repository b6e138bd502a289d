#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <tuple>

#include "plan/PlanFixture.h"
#include "plan/PlanModel.h"
#include "store/Parameter.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

class PlanModelTest : public test::PlanFixture {
protected:
    std::unique_ptr<PlanModel> model(PlanEinstellungen e) {
        auto m = std::make_unique<PlanModel>(db(), dialogs, rooms, std::move(e));
        m->zeigeFenster(S());
        return m;
    }
    std::unique_ptr<PlanModel> model() { return model(einstellungen()); }
    // Columns (1 … D) of a row that show the booking.
    static QList<int> spaltenMit(const PlanModel& m, int zeile, int id) {
        QList<int> out;
        for (int c = 1; c <= m.tage(); ++c)
            if (m.zelle(zeile, c).buchungId == id) out << c;
        return out;
    }
    // The IDs of a shared cell, sorted: the query returns its rows in no fixed order.
    static QList<int> ids(const QString& liste) {
        QList<int> out;
        for (const QString& t : liste.split(QLatin1Char(','), Qt::SkipEmptyParts)) out << t.toInt();
        std::sort(out.begin(), out.end());
        return out;
    }
    static QList<int> bereich(int von, int bis) {
        QList<int> out;
        for (int i = von; i <= bis; ++i) out << i;
        return out;
    }
};

TEST_F(PlanModelTest, CellIndexRowsAndDatesFollowTheWindowAndTheFirstVisibleRoom) {
    auto m = model();
    EXPECT_EQ(m->start(), S()) << "the window starts two days before today";
    EXPECT_EQ(m->zellenAnzahl(), 11 * 35);
    struct Fall {
        int zeile, spalte, index;
    };
    for (const Fall f : {Fall{1, 1, 1}, Fall{1, 35, 35}, Fall{2, 1, 36}, Fall{10, 7, 322}, Fall{11, 35, 385}}) {
        EXPECT_EQ(m->zellIndex(f.zeile, f.spalte), f.index);
        EXPECT_EQ(m->zeileVonIndex(f.index), f.zeile) << f.index;
        EXPECT_EQ(m->spalteVonIndex(f.index), f.spalte) << f.index;
    }
    EXPECT_EQ(m->tagDerSpalte(1), S());
    EXPECT_EQ(m->morgenDerSpalte(1), S().addDays(1));
    EXPECT_EQ(m->zelle(1, 1).datumText(), QStringLiteral("05.03.24")) << "a cell's date is its morning date";

    EXPECT_EQ(std::tuple(m->zimmerDerZeile(1), m->zimmerDerZeile(10), m->istWarteZeile(10), m->zimmerDerZeile(11)),
              std::tuple(1, 10, true, 0))
        << "no room below the waiting row";
    EXPECT_EQ(m->zeilenLabel(10), QStringLiteral("Vorläufig"));
    EXPECT_EQ(m->zeilenTooltip(10), QStringLiteral("In dieser Zeile finden Sie alle noch nicht endgültigen Reservierungen."));
    EXPECT_EQ(m->zeilenTooltip(2), QStringLiteral("Zimmer 102 (Nichtraucher)"));

    // Five visible rows: scrolling ends when the waiting row is the last one on screen.
    PlanEinstellungen e = einstellungen();
    e.sichtbareZeilen = 5;
    auto klein = model(e);
    klein->setErstesZimmer(99);
    EXPECT_EQ(std::tuple(klein->letztesErstesZimmer(), klein->erstesZimmer(), klein->zimmerDerZeile(1), klein->warteZeile(),
                         klein->zeileDesZimmers(2)),
              std::tuple(6, 6, 6, 5, -3));
    EXPECT_EQ(klein->zeilenLabel(1), QStringLiteral("202"));
    klein->setErstesZimmer(-4);
    EXPECT_EQ(klein->erstesZimmer(), 1);
}

TEST_F(PlanModelTest, GeometryIsTwipsAtFifteenPerPixelAndFindsEveryCell) {
    PlanGeometrie g;
    g.links = 100;
    g.oben = 40;
    EXPECT_EQ(std::tuple(PlanGeometrie::px(270), PlanGeometrie::px(320)), std::tuple(18, 21));
    EXPECT_EQ(g.zellRechteck(1, 1), QRect(100, 40, 18, 17)) << "a cell is 270 wide and 320 - 60 high";
    EXPECT_EQ(g.zeilenY(4), 40 + 64) << "row tops are computed in twips, then rounded";
    EXPECT_EQ(g.breite(), 35 * 18);
    for (int r = 1; r <= g.zeilen; ++r)
        for (int c = 1; c <= g.tage; ++c) {
            const QRect box(g.spaltenX(c), g.zeilenY(r), g.spaltenX(c + 1) - g.spaltenX(c), g.zeilenY(r + 1) - g.zeilenY(r));
            for (QPoint p : {box.topLeft(), box.bottomRight(), box.center()})
                ASSERT_EQ(g.zelleBei(p), QPoint(c, r)) << "row " << r << " column " << c << " at " << p.x() << "," << p.y();
        }
    EXPECT_FALSE(g.zelleBei(QPoint(99, 50)));
    EXPECT_FALSE(g.zelleBei(QPoint(100 + 35 * 18, 50)));
    EXPECT_FALSE(g.zelleBei(QPoint(120, g.zeilenY(12))));

    // A row height that is no multiple of 15 twips still maps every pixel to one row.
    g.zeilenHoehe = 400;
    for (int y = g.oben; y < g.zeilenY(g.zeilen + 1); ++y) {
        const auto c = g.zelleBei(QPoint(g.links, y));
        ASSERT_TRUE(c) << y;
        EXPECT_GE(y, g.zeilenY(c->y()));
        EXPECT_LT(y, g.zeilenY(c->y() + 1));
    }
}

TEST_F(PlanModelTest, ResetColoursWeekendNightsAndHolidays) {
    addHoliday(QDate(2024, 3, 29), QStringLiteral("Karfreitag"));
    addHoliday(QDate(2024, 4, 1), QStringLiteral("Ostermontag"));
    addHoliday(QDate(2024, 5, 1), QStringLiteral("Maifeiertag"));  // outside the window
    auto m = model();
    struct Fall {
        int spalte;
        quint32 farbe;
        const char* warum;
    };
    for (const Fall f : {Fall{1, kFrei, "Monday to Tuesday"}, Fall{4, kFrei, "Thursday to Friday"}, Fall{5, kSamstag, "Friday to Saturday"},
                         Fall{6, kSonntag, "Saturday to Sunday"}, Fall{7, kFrei, "Sunday to Monday"},
                         Fall{24, kFrei, "the night before the eve of Good Friday"}, Fall{25, kSonntag, "the night ending on Good Friday"},
                         Fall{26, kSamstag, "Friday to Saturday"}, Fall{28, kSonntag, "the night ending on Easter Monday"},
                         Fall{35, kFrei, "last column"}}) {
        for (int zeile : {1, 10, 11}) EXPECT_EQ(m->zelle(zeile, f.spalte).farbe, f.farbe) << f.warum << " row " << zeile;
        EXPECT_FALSE(m->zelle(1, f.spalte).gepunktet);
    }
    EXPECT_EQ(m->feiertage().size(), 2);
    EXPECT_EQ(m->feiertagAm(QDate(2024, 3, 29)), QStringLiteral("Karfreitag"));
    EXPECT_EQ(m->feiertagAm(QDate(2024, 5, 1)), QStringLiteral("Maifeiertag")) << "a day outside the window is looked up";
    EXPECT_EQ(m->feiertagAm(QDate(2024, 3, 28)), QString());

    // Without F10/F11 the weekend nights are the free colour brightened.
    PlanEinstellungen e = einstellungen();
    e.farben = e.farben.mid(0, 9);
    auto ohne = model(e);
    EXPECT_EQ(ohne->zelle(1, 5).farbe, farbe::brighten(kFrei, 40));
}

TEST_F(PlanModelTest, BookingsArePaintedFromArrivalToTheNightBeforeDeparture) {
    const QDate s = S();
    const int vorher = addBooking(1, s.addDays(-3), s.addDays(2), 1);  // began before the window
    const int lang = addBooking(2, s.addDays(30), s.addDays(50), 2);   // lasts beyond the window
    const int alt = addBooking(3, s.addDays(3), s.addDays(6), 1, QStringLiteral("Alt"));
    const int neu = addBooking(3, s.addDays(6), s.addDays(8), 3, QStringLiteral("Neu"), 2, 2, false, true);
    const int ende = addBooking(4, s.addDays(33), s.addDays(36), 1);   // arrives on the last painted night
    const int spaet = addBooking(5, s.addDays(34), s.addDays(36), 1);  // arrives on the night of column D
    const int vorbei = addBooking(6, s.addDays(-4), s, 1);             // left on the first day
    const int genau = addBooking(7, s, s.addDays(1), 4);               // one night on column 1
    auto m = model();

    EXPECT_EQ(spaltenMit(*m, 1, vorher), QList<int>({1, 2}));
    // No first-day colour for a booking that began before the window; the departure day's night stays free.
    EXPECT_EQ(std::tuple(m->zelle(1, 1).farbe, m->zelle(1, 1).ersterTag, m->zelle(1, 3).farbe), std::tuple(kPrivat, false, kFrei));

    EXPECT_EQ(spaltenMit(*m, 2, lang), bereich(31, 34));
    EXPECT_EQ(std::tuple(m->zelle(2, 31).farbe, m->zelle(2, 32).farbe), std::tuple(farbe::brighten(kFirma, 60), kFirma));
    for (int zeile = 1; zeile <= 11; ++zeile) EXPECT_FALSE(m->zelle(zeile, 35).belegt()) << "column D never shows a booking";

    EXPECT_EQ(spaltenMit(*m, 3, alt), QList<int>({4, 5, 6}));
    EXPECT_EQ(spaltenMit(*m, 3, neu), QList<int>({7, 8}));
    EXPECT_EQ(m->zelle(3, 7).farbe, farbe::brighten(kTresen, 60)) << "the arrival night after a departure is a first night";
    EXPECT_EQ(std::tuple(m->zelle(3, 7).gepunktet, m->zelle(3, 6).gepunktet), std::tuple(true, false)) << "checked in: dotted border";
    EXPECT_EQ(m->zelle(3, 7).idListe, QString()) << "touching bookings never share a cell";
    EXPECT_EQ(m->zelle(3, 6).abreiseText(), QStringLiteral("10.03.2024"));

    EXPECT_EQ(spaltenMit(*m, 4, ende), QList<int>({34}));
    EXPECT_EQ(m->zelle(4, 34).farbe, farbe::brighten(kPrivat, 60));
    EXPECT_TRUE(spaltenMit(*m, 5, spaet).isEmpty() && spaltenMit(*m, 6, vorbei).isEmpty());
    EXPECT_EQ(spaltenMit(*m, 7, genau), QList<int>({1}));
    EXPECT_EQ(std::tuple(m->zelle(7, 1).angebot, m->zelle(1, 1).angebot), std::tuple(true, false))
        << "the kind named Angebot marks an offer";
    EXPECT_EQ(m->buchungsIds().size(), 8) << "the query reaches five days back";
}

TEST_F(PlanModelTest, WaitingRowPartlyOccupiedAndHiddenBookings) {
    const QDate s = S();
    const int warten = addBooking(4, s.addDays(2), s.addDays(5), 1, QStringLiteral("W1"), 1, 2, true);
    const int warten2 = addBooking(8, s.addDays(4), s.addDays(6), 2, QStringLiteral("W2"), 2, 2, true);
    const int teil = addBooking(2, s.addDays(1), s.addDays(3), 1, QStringLiteral("T"), 1, 1);  // room default 2
    const int voll = addBooking(5, s.addDays(1), s.addDays(3), 1, QStringLiteral("V"), 1, 2);
    const int ohneArt = addBooking(6, s.addDays(1), s.addDays(3), 7);
    const int ohneGast = addBooking(6, s.addDays(5), s.addDays(7), 1, QStringLiteral("X"), 99);
    const int ohneZimmer = addBooking(10, s.addDays(1), s.addDays(3), 1);  // the waiting room itself is beyond N
    const int ueberlapp = addBooking(9, s.addDays(1), s.addDays(4), 1, QStringLiteral("A"));
    const int ueberlapp2 = addBooking(9, s.addDays(2), s.addDays(3), 2, QStringLiteral("B"));
    const int ueberlapp3 = addBooking(9, s.addDays(2), s.addDays(4), 2, QStringLiteral("C"));

    PlanEinstellungen e = einstellungen();
    e.hatTeilbelegt = true;
    e.teilbelegtFarbe = kTeil;
    auto m = model(e);

    EXPECT_TRUE(spaltenMit(*m, 4, warten).isEmpty()) << "a waiting booking is not drawn in its room";
    EXPECT_EQ(spaltenMit(*m, 10, warten), QList<int>({3, 4}));
    EXPECT_EQ(spaltenMit(*m, 10, warten2), QList<int>({5, 6}));
    EXPECT_EQ(ids(m->zelle(10, 5).idListe), QList<int>({warten, warten2})) << "two waiting bookings on one night share the cell";
    EXPECT_TRUE(m->zelle(10, 5).wartend);

    // Fewer guests than the room's default: partly occupied.
    EXPECT_EQ(std::tuple(m->zelle(2, 2).farbe, m->zelle(2, 3).farbe, m->zelle(5, 3).farbe),
              std::tuple(farbe::brighten(kTeil, 60), kTeil, kPrivat));
    EXPECT_EQ(std::tuple(spaltenMit(*m, 2, teil).size(), spaltenMit(*m, 5, voll).size()), std::tuple(qsizetype(2), qsizetype(2)));

    for (int zeile = 1; zeile <= 11; ++zeile) {
        EXPECT_TRUE(spaltenMit(*m, zeile, ohneArt).isEmpty()) << "a kind without its row is not shown";
        EXPECT_TRUE(spaltenMit(*m, zeile, ohneGast).isEmpty()) << "a booking without its guest is not shown";
        EXPECT_TRUE(spaltenMit(*m, zeile, ohneZimmer).isEmpty());
    }
    EXPECT_EQ(ids(m->zelle(9, 3).idListe), QList<int>({ueberlapp, ueberlapp2, ueberlapp3}));
    EXPECT_EQ(m->zelle(9, 3).idListe.section(QLatin1Char(','), -1).toInt(), m->zelle(9, 3).buchungId)
        << "the record holds the booking painted last";
    EXPECT_EQ(ids(m->zelle(9, 4).idListe), QList<int>({ueberlapp, ueberlapp3}));

    // Without a partly-occupied kind the kind's own colour is used.
    auto ohneTeil = model();
    EXPECT_EQ(ohneTeil->zelle(2, 3).farbe, kPrivat);

    // Scrolled so that room 4 is the top row: rooms above are not drawn, the waiting row moves up.
    e.sichtbareZeilen = 5;
    auto gescrollt = model(e);
    gescrollt->setErstesZimmer(6);
    EXPECT_EQ(spaltenMit(*gescrollt, 4, ueberlapp3), QList<int>({3, 4}));
    EXPECT_EQ(spaltenMit(*gescrollt, 5, warten), QList<int>({3, 4}));
    for (int zeile = 1; zeile <= 6; ++zeile) EXPECT_TRUE(spaltenMit(*gescrollt, zeile, teil).isEmpty());
}

// The mouse shows the night's status; the right button finds the booking, or the waiting
// bookings of the night.
TEST_F(PlanModelTest, StatusUnderTheMouseAndTheRightClick) {
    addHoliday(QDate(2024, 3, 8), QStringLiteral("Frauentag"));
    const int b = addBooking(2, S().addDays(2), S().addDays(5), 1, QStringLiteral("Berger"), 1, 2);
    const int angebot = addBooking(3, S().addDays(2), S().addDays(5), 4, QStringLiteral("Müller"), 2, 3, false, true);
    const int w1 = addBooking(1, S().addDays(3), S().addDays(6), 1, QStringLiteral("W1"), 3, 1, true);
    const int w2 = addBooking(5, S().addDays(4), S().addDays(8), 1, QStringLiteral("W2"), 2, 1, true);
    auto m = model();
    // room | column | date of the column's day | weekday | holiday | short name | guest's city | paid | bookings of the night
    const auto text = [](const MausStatus& s) {
        QStringList ids;
        for (int id : s.ueberhaenge) ids << QString::number(id);
        return QStringList{s.zimmerText,
                           s.spalteText,
                           s.datum,
                           s.wochentag,
                           s.feiertag,
                           s.kuerzel,
                           s.gastOrt,
                           QString::number(int(s.bezahlt)),
                           ids.join(QLatin1Char(','))}
            .join(QLatin1Char('|'));
    };
    struct Fall {
        int zeile, spalte;
        QString erwartet;
    };
    const QString offen = QString::number(int(Zahlstatus::Offen)), keine = QString::number(int(Zahlstatus::KeineBuchung));
    for (const Fall& f : {Fall{1, 5, QStringLiteral("101|5|08.03.24|Fr|Frauentag|||%1|").arg(keine)},
                          Fall{2, 4, QStringLiteral("102|4|07.03.24|Do||Berger/2|Kassel|%1|%2").arg(offen).arg(b)},
                          Fall{10, 5, QStringLiteral("Vorläufig|5|08.03.24|Fr|Frauentag|W2/1||%1|%2,%3").arg(offen).arg(w1).arg(w2)}}) {
        SCOPED_TRACE(f.zeile);
        auto s = m->mausBewegung(f.zeile, f.spalte);
        ASSERT_TRUE(s);
        EXPECT_EQ(text(*s), f.erwartet);
    }
    auto s = m->mausBewegung(2, 4);
    EXPECT_EQ(s->index, 39);
    EXPECT_EQ(s->gastId, 1);
    EXPECT_EQ(s->hilfe, QStringLiteral("Reservierung vom: 06.03.2024 bis: 09.03.2024  von Anna Berger\n"
                                       "Sie können die Reservierung mit der rechten Maustaste öffnen."));
    EXPECT_EQ(m->mausBewegung(3, 3)->kuerzel, QStringLiteral("Müller/CH/3")) << "checked in";
    EXPECT_FALSE(m->mausBewegung(11, 5)->zimmer) << "below the waiting row nothing is shown";

    EXPECT_FALSE(m->rechtsLoslassen(2, 1)) << "a free cell does nothing";
    auto k = m->rechtsLoslassen(3, 4);
    ASSERT_TRUE(k);
    EXPECT_EQ(std::tuple(k->buchungId, k->gastId, k->angebot, k->warteZeile), std::tuple(angebot, 2, true, false));
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "a room's booking opens its menu without a word";
    auto w = m->rechtsLoslassen(10, 5);
    ASSERT_TRUE(w);
    ASSERT_EQ(dialogs.shown().size(), 1) << "the waiting row says what it is for, then the menu opens";
    EXPECT_TRUE(dialogs.last().text.startsWith(QStringLiteral("Diese Zeile ist für vorläufige Reservierungen vorgesehen.")));
    dialogs.clear();
    EXPECT_EQ(std::tuple(w->warteZeile, w->warteBuchungen, w->buchungId), std::tuple(true, QList<int>({w1, w2}), m->zelle(10, 5).buchungId))
        << "the booking drawn in the cell";
    EXPECT_FALSE(m->oeffnen(*w).neueBuchung);
    EXPECT_EQ(std::tuple(uebergabe.warteTag, uebergabe.warteBuchungen), std::tuple(QDate(2024, 3, 8), QList<int>({w1, w2})));

    // Deleted on another workstation in the meantime: no menu, the plan is redrawn.
    db().execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ?"), {b});
    EXPECT_FALSE(m->rechtsLoslassen(2, 4));
    EXPECT_FALSE(m->zelle(2, 4).belegt());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(PlanModelTest, RefreshRequestAndTimer) {
    auto m = model();
    const int id = addBooking(1, S().addDays(1), S().addDays(3));
    EXPECT_FALSE(m->zelle(1, 2).belegt()) << "a booking saved after loading waits for the refresh";
    auto s = m->mausBewegung(5, 5);
    EXPECT_FALSE(s->aktualisiert);
    EXPECT_FALSE(m->zelle(1, 2).belegt());

    aktualisieren = 1;  // another window asked for a refresh
    s = m->mausBewegung(5, 5);
    EXPECT_TRUE(s->aktualisiert);
    EXPECT_EQ(aktualisieren, 0) << "the request is cleared";
    EXPECT_EQ(m->zelle(1, 2).buchungId, id);

    QList<int> refreshes;
    for (int tick = 1; tick <= 15; ++tick)
        if (m->timerTick()) refreshes << tick;
    EXPECT_EQ(refreshes, QList<int>({5, 10, 15})) << "refresh on every fifth tick, never on the first";
}

TEST_F(PlanModelTest, HandOverOfANewBooking) {
    addBooking(4, S().addDays(9), S().addDays(12), 1, QStringLiteral("Belegt"));
    auto m = model();
    m->setBelegungsart(3);

    struct Fall {
        int druckZeile, druckSpalte, losZeile, losSpalte;
        QDate anreise, abreise;
        int zimmer;
        const char* warum;
    };
    const QList<Fall> faelle = {
        {2, 5, 2, 5, QDate(2024, 3, 8), QDate(2024, 3, 9), 2, "press and release on one cell: one night"},
        {3, 5, 3, 9, QDate(2024, 3, 8), QDate(2024, 3, 13), 3, "a drag hands over the whole stay"},
        {6, 9, 6, 5, QDate(2024, 3, 8), QDate(2024, 3, 13), 6, "dragged backwards: the same stay"},
        {1, 1, 2, 3, QDate(2024, 3, 4), QDate(2024, 3, 7), 2, "released in another room: that room"},
        {4, 6, 4, 9, QDate(2024, 3, 9), QDate(2024, 3, 13), 4, "up to the night before a booking"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.warum);
        uebergabe = {};
        ASSERT_TRUE(m->druecken(f.druckZeile, f.druckSpalte, true));
        EXPECT_TRUE(m->zelle(f.druckZeile, f.druckSpalte).markiert);
        m->ziehen(f.losZeile, f.losSpalte);
        ASSERT_TRUE(m->loslassen(f.losZeile, f.losSpalte));
        const Uebergabe& u = uebergabe;
        EXPECT_EQ(std::tuple(u.anreise, u.abreise, u.zimmerNummer, u.zimmerZeile, u.neueBuchung, u.buchungId, u.belegungsart),
                  std::tuple(f.anreise, f.abreise, f.zimmer, f.zimmer, true, 0, 3));
        EXPECT_FALSE(m->auswahlLaeuft());
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // Dragging shows the range in the row under the mouse, free nights only.
    ASSERT_TRUE(m->druecken(4, 7, true));
    m->ziehen(4, 12);
    QList<int> markiert;
    for (int c = 1; c <= 35; ++c)
        if (m->zelle(4, c).markiert) markiert << c;
    EXPECT_EQ(markiert, QList<int>({7, 8, 9})) << "booked nights 10 … 12 stay unmarked";

    // Releasing on a booked cell never hands over.
    uebergabe = {};
    EXPECT_FALSE(m->loslassen(4, 11));
    EXPECT_FALSE(uebergabe.neueBuchung);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(std::tuple(dialogs.last().text, dialogs.last().caption, dialogs.last().icon),
              std::tuple(QStringLiteral("Hier besteht bereits eine Reservierung."), QStringLiteral("Reservierung"), Icon::Information));

    // The waiting row takes no new booking.
    ASSERT_TRUE(m->druecken(10, 3, true));
    EXPECT_FALSE(m->loslassen(10, 3));
    EXPECT_EQ(dialogs.last().text,
              QStringLiteral("Diese Zeile ist für vorläufige Reservierungen vorgesehen. Wählen Sie ein anderes Zimmer und speichern "
                             "die Reservierung dann in der Warteposition."));
    EXPECT_FALSE(uebergabe.neueBuchung);

    // Pressing on a booked night says so at once, and the release hands over nothing.
    dialogs.clear();
    EXPECT_FALSE(m->druecken(4, 11, true));
    EXPECT_EQ(dialogs.texts(), QStringList({QStringLiteral("Hier besteht bereits eine Reservierung.")}));
    EXPECT_FALSE(m->loslassen(4, 13));
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_FALSE(uebergabe.neueBuchung);

    // The right button remembers the day but starts no selection.
    EXPECT_FALSE(m->druecken(2, 2, false));
    EXPECT_FALSE(m->loslassen(2, 2));

    // A new booking without a room: tonight, and the hand-over holds it.
    const Uebergabe ohne = m->neueReservierungOhneZimmer();
    EXPECT_EQ(std::tuple(ohne.anreise, ohne.abreise, ohne.zimmerZeile, uebergabe.anreise),
              std::tuple(heute(), heute().addDays(1), 0, heute()));
}

TEST_F(PlanModelTest, NavigationSteps) {
    using S_ = PlanModel::Schritt;
    const QDate d(2024, 1, 31);
    struct Fall {
        S_ schritt;
        QDate erwartet;
    };
    for (const Fall f :
         {Fall{S_::TagZurueck, QDate(2024, 1, 30)}, Fall{S_::TagVor, QDate(2024, 2, 1)}, Fall{S_::WocheZurueck, QDate(2024, 1, 24)},
          Fall{S_::WocheVor, QDate(2024, 2, 7)}, Fall{S_::MonatZurueck, QDate(2023, 12, 31)}, Fall{S_::MonatVor, QDate(2024, 2, 29)},
          Fall{S_::DreiMonateZurueck, QDate(2023, 10, 31)}, Fall{S_::DreiMonateVor, QDate(2024, 4, 30)},
          Fall{S_::Heute, QDate(2024, 3, 4)}})
        EXPECT_EQ(PlanModel::verschiebe(d, f.schritt), f.erwartet);

    addBooking(1, QDate(2024, 3, 12), QDate(2024, 3, 14));
    auto m = model();
    m->navigiere(S_::WocheVor);
    EXPECT_EQ(m->start(), QDate(2024, 3, 11));
    EXPECT_TRUE(m->zelle(1, 2).ersterTag) << "the window was repainted from the database";
}

TEST_F(PlanModelTest, TimingLogGetsATimedLinePerStep) {
    test::TempFolder ordner;
    addBooking(1, S().addDays(1), S().addDays(3));
    PlanEinstellungen e = einstellungen();
    e.programmordner = ordner.path();
    auto m = model(e);
    aktualisieren = 1;
    m->mausBewegung(1, 2);
    m->mausBewegung(1, 20);
    QFile f(ordner.file(QStringLiteral("Zeitlog.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList zeilen = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& zeile : zeilen)
        EXPECT_TRUE(QTime::fromString(zeile.left(12), QStringLiteral("hh:mm:ss.zzz")).isValid()) << zeile.toStdString();
    // Each move starts its own block; only the move over a booking goes on to the query.
    ASSERT_GE(zeilen.size(), 3);
    EXPECT_EQ(zeilen.filter(QStringLiteral("Mouse")).size(), 2);
    const QStringList zweite = zeilen.mid(zeilen.lastIndexOf(zeilen.filter(QStringLiteral("Mouse")).last()));
    EXPECT_FALSE(zeilen.filter(QStringLiteral("Abfrage")).isEmpty());
    EXPECT_TRUE(zweite.filter(QStringLiteral("Abfrage")).isEmpty()) << "the move over a free night queries nothing";
}

TEST_F(PlanModelTest, SettingsComeFromTheProgramStateWithSafeDefaults) {
    Variablen v;
    v.tage = 0;  // a broken "ZeitDarstellung" row
    v.raeume = 9;
    v.sichtbareZeilen = 4;
    v.zeilenHoehe = 0;
    v.farben = {kFrei, kPrivat};
    v.arbeitsPfad = QStringLiteral("/daten/Beispiel.mdb");
    v.beispielPfad = QStringLiteral("/daten/beispiel.mdb");
    v.db = Database::open(file(QStringLiteral("Lokal.mdb")));
    Parameter(*v.db).write(QStringLiteral("Beschriftungen"), {{1, QStringLiteral("Reserviert als:")}});
    const PlanEinstellungen e = PlanEinstellungen::aus(v);
    EXPECT_EQ(e.tage, 35);
    EXPECT_EQ(e.zeilenHoehe, 320);
    EXPECT_EQ(e.sichtbareZeilen, 4);
    EXPECT_TRUE(e.beispieldaten) << "the working database is the sample database";
    EXPECT_EQ(e.legendeUeberschrift, QStringLiteral("Reserviert als:"));
    EXPECT_EQ(e.zimmerUeberschrift, QStringLiteral("Bezeichnung"));
    EXPECT_EQ(e.aktualisieren, &v.aktualisieren) << "the refresh request is shared with the other windows";
    EXPECT_EQ(e.uebergabe, &v.uebergabe);
    EXPECT_EQ(e.artFarbe(1), kPrivat);
    EXPECT_EQ(e.artFarbe(5), 0x00C0C0C0u) << "a kind without a colour stays visible";
    EXPECT_EQ(e.farbe(11), farbe::brighten(kFrei, 40));

    // The legend lists the named kinds with their colours.
    const auto l = model()->legende();
    ASSERT_EQ(l.size(), 5);
    EXPECT_EQ(l[4].eintrag, 5);
    EXPECT_EQ(l[4].farbe, kAngebot);
}

}  // namespace
