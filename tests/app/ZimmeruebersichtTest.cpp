#include <gtest/gtest.h>

#include <QColor>

#include "app/Zimmeruebersicht.h"
#include "data/Einstellungen.h"
#include "data/Erstausstattung.h"
#include "data/Variablen.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class Uebersicht : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        erstausstattung::neueDatenbankFuellen(db());
        einstellungen::farben(db(), v);
        einstellungen::raeumlichkeiten(db(), db(), v);
        db().execute(QStringLiteral("INSERT INTO Address (Lastname) VALUES ('Huber')"));
    }
    int buchen(int zimmer, const char* von, const char* bis, int art, bool warten = false) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, Belegungsart, GastID, Gelöscht) "
                                    "VALUES (?, ?, ?, 'Huber', ?, 1, ?)"),
                     {zimmer, QDate::fromString(QString::fromLatin1(von), Qt::ISODate), QDate::fromString(QString::fromLatin1(bis), Qt::ISODate),
                      art, warten});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    Variablen v;
};

TEST_F(Uebersicht, EachNightShowsTheBookingThatOccupiesIt) {
    const int davor = buchen(3, "2024-05-08", "2024-05-12", 1);  // began before the window
    const int a = buchen(3, "2024-05-12", "2024-05-14", 2);      // arrives on the day the first leaves
    const int w = buchen(5, "2024-05-13", "2024-05-15", 1, true);
    buchen(4, "2024-05-30", "2024-06-02", 1);                      // after the window
    Zimmeruebersicht m(db(), v);
    m.laden(QDate(2024, 5, 10), 7);
    ASSERT_EQ(m.rowCount(), 10) << "nine rooms and the waiting row";
    EXPECT_EQ(m.headerData(9, Qt::Vertical).toString(), QStringLiteral("Vorläufig"));
    EXPECT_EQ(m.headerData(2, Qt::Vertical).toString(), QStringLiteral("103"));
    const int zeile = 2;  // room 3
    EXPECT_EQ(m.buchung(zeile, 0), davor);
    EXPECT_EQ(m.buchung(zeile, 1), davor);
    EXPECT_EQ(m.buchung(zeile, 2), a) << "the departure night is free for the next arrival";
    EXPECT_EQ(m.buchung(zeile, 3), a);
    EXPECT_EQ(m.buchung(zeile, 4), 0);
    EXPECT_EQ(m.buchung(9, 3), w) << "waiting bookings are in the waiting row, whatever their room";
    EXPECT_EQ(m.buchung(4, 3), 0);
    EXPECT_EQ(m.data(m.index(zeile, 0)).toString(), QStringLiteral("Huber")) << "the name at the window's start";
    EXPECT_TRUE(m.data(m.index(zeile, 1)).toString().isEmpty());
    EXPECT_EQ(m.data(m.index(zeile, 2)).toString(), QStringLiteral("Huber"));

    const auto farbe = [&](int r, int c) { return m.data(m.index(r, c), Qt::BackgroundRole).value<QColor>(); };
    const auto rgb = [](quint32 c) { return QColor(farbe::red(c), farbe::green(c), farbe::blue(c)); };
    EXPECT_EQ(farbe(zeile, 1), rgb(v.farben[1]));
    EXPECT_EQ(farbe(zeile, 2), rgb(farbe::brighten(v.farben[2], v.ersterTag))) << "the arrival night is brightened";
    EXPECT_EQ(farbe(0, 0), rgb(v.farben[9])) << "the night from Friday to Saturday";
    EXPECT_EQ(farbe(0, 1), rgb(v.farben[10])) << "the night from Saturday to Sunday";
    EXPECT_EQ(farbe(0, 2), rgb(v.farben[0]));
}
