#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "platform/ScriptedDialogs.h"
#include "settings/ui/frmFeiertag.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "support/DatabaseFixture.h"
#include "support/Screenshot.h"

using namespace tav;

class frmFeiertagTest : public test::DatabaseFixture {
protected:
    static QStringList spalte(QAbstractItemModel& m, int c) {
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r) out << m.data(m.index(r, c)).toString();
        return out;
    }
    ScriptedDialogs dialogs_;
};

TEST_F(frmFeiertagTest, EnteringImportingAndSortingHolidays) {
    {
        auto q = open(dbfiles::kHolidayFile);
        q->execute(QStringLiteral("DELETE FROM tbFeiertage"));
        beispieldaten::feiertageAnlegen(*q, 2026, 2026);
    }
    frmFeiertag f(db(), dialogs_, file(dbfiles::kHolidayFile));
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.show();

    // What is typed reaches the logic (its checks are FeiertagLogikTest's); the grid shows the row.
    QTest::keyClicks(f.txtName, QStringLiteral("Stadtfest"));
    QTest::keyClicks(f.txtKurzbezeichnung, QStringLiteral("14.8.26"));
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(spalte(f.modell(), 2), QStringList{QStringLiteral("14.08.2026")});
    EXPECT_EQ(f.txtKurzbezeichnung->text(), QStringLiteral("14.08.2026"));

    f.cmdImport->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Es wurden 9 Feiertage importiert.")});
    ASSERT_EQ(f.modell().rowCount(), 10);
    EXPECT_EQ(spalte(f.modell(), 1).first(), QStringLiteral("Neujahr"));

    // A click on "Feiertag" sorts by name, a second click turns the order round.
    QHeaderView* kopf = f.ctrflexzustand->horizontalHeader();
    const int x = kopf->sectionViewportPosition(1) + 5;
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(spalte(f.modell(), 1).first(), QStringLiteral("1. Weihnachtsfeiertag"));
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(spalte(f.modell(), 1).first(), QStringLiteral("Tag der Deutschen Einheit"));

    // A clicked row comes into the fields; deleting it after "Yes" removes it from the grid.
    const int zeile = int(spalte(f.modell(), 1).indexOf(QStringLiteral("Stadtfest")));
    QTest::mouseClick(f.ctrflexzustand->viewport(), Qt::LeftButton, {}, f.ctrflexzustand->visualRect(f.modell().index(zeile, 1)).center());
    EXPECT_EQ(f.txtName->text(), QStringLiteral("Stadtfest"));
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    f.cmdLöschen->click();
    EXPECT_EQ(f.modell().rowCount(), 9);
    EXPECT_TRUE(f.txtName->text().isEmpty());
    EXPECT_GT(QFileInfo(test::saveScreenshot(f, QStringLiteral("frmFeiertag"))).size(), 0);
}
