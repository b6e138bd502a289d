#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "invoice/ui/StammFensterFixture.h"
#include "invoice/ui/frmMwSt.h"
#include "support/FremdeSperre.h"
#include "support/Screenshot.h"

using namespace tav;

using frmMwStTest = test::StammFensterFixture;

TEST_F(frmMwStTest, RefusesToDeleteARateInUseAndSavesNewKeys) {
    frmMwSt f(*beispiel_, dialogs_);
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Mehrwertsteuer"));
    ASSERT_EQ(f.modell().rowCount(), 2);
    nichtsAbgeschnitten(f.ctrflexMwSt);
    test::saveScreenshot(f, QStringLiteral("frmMwSt"));

    kopfKlick(f.ctrflexMwSt, 1);  // rate, already ascending: now descending
    EXPECT_EQ(spalte(f.modell(), 1), (QStringList{QStringLiteral("19"), QStringLiteral("7")}));
    zeileKlick(f.ctrflexMwSt, 0);
    EXPECT_EQ(f.txtName->text(), QStringLiteral("19"));
    EXPECT_FALSE(f.chStandard->isChecked());
    f.cmdLöschen->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{MwStLogik::kInGebrauch}) << "the articles use 19 %";
    EXPECT_EQ(f.modell().rowCount(), 2);

    // A new 5 % key saved from the fields appears in the grid and in the successor list.
    dialogs_.clear();
    f.CmdNeueDaten->click();
    QTest::keyClicks(f.txtName, QStringLiteral("5%"));
    EXPECT_EQ(f.txtName->text(), QStringLiteral("5"));
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(f.modell().rowCount(), 3);
    EXPECT_GE(f.cboMwStNachfolger->findText(QStringLiteral("5")), 0);
    // F2 in the successor list removes the new, unused key after the question.
    f.cboMwStNachfolger->setCurrentIndex(f.cboMwStNachfolger->findText(QStringLiteral("5")));
    dialogs_.answer(Answer::Yes);
    QTest::keyClick(f.cboMwStNachfolger, Qt::Key_F2);
    EXPECT_EQ(dialogs_.last().text, MwStAuswahl::kEntfernenFrage);
    EXPECT_EQ(f.modell().rowCount(), 2);
    EXPECT_LT(f.cboMwStNachfolger->findText(QStringLiteral("5")), 0);
}
