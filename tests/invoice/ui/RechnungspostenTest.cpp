#include "invoice/ui/Rechnungsposten.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "invoice/RechnungspostenLogik.h"
#include "platform/ScriptedDialogs.h"
#include "support/Child.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class RechnungspostenTest : public test::DatabaseFixture {
protected:
    // Runs `was` on the dialog once it is open, then the modal call returns.
    void imDialog(std::function<void(Rechnungsposten&)> was) {
        QTimer::singleShot(0, [was] {
            auto* dialog = qobject_cast<Rechnungsposten*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "the extras dialog is open";
            was(*dialog);
        });
    }
    ScriptedDialogs dialogs_;
    RechnungspostenLogik logik_;
};

TEST_F(RechnungspostenTest, TypedExtrasReachTheLogicAndCancelPrintsNothing) {
    QString titel;
    imDialog([&](Rechnungsposten& w) {
        titel = w.windowTitle();
        auto* betrag = test::child<QLineEdit>(w, "txtMiniBarBetrag");
        betrag->clear();
        betrag->setFocus();
        QTest::keyClicks(betrag, QStringLiteral("1x5"));  // the letter is refused
        test::child<QLineEdit>(w, "txtMiniBar")->setText(QStringLiteral("Minibar Zimmer 12"));
        test::child<QLineEdit>(w, "txtAnzahlAusdruck")->setText(QStringLiteral("4"));
        test::child<QPushButton>(w, "cmdOK")->click();
    });
    Rechnungsposten::oeffnen(db(), dialogs_, logik_, 3, QStringLiteral("Posten für Max Muster"), 2, nullptr);
    EXPECT_EQ(titel, QStringLiteral("Posten für Max Muster"));
    EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Ok);
    EXPECT_EQ(logik_.werte().betraege[1], QStringLiteral("15,00"));
    EXPECT_EQ(logik_.werte().texte[1], QStringLiteral("Minibar Zimmer 12"));
    EXPECT_EQ(logik_.werte().ausdrucke, 4);

    imDialog([&](Rechnungsposten& w) {
        // Opened again for the same booking: the values typed before are shown.
        EXPECT_EQ(test::child<QLineEdit>(w, "txtMiniBarBetrag")->text(), QStringLiteral("15,00"));
        test::child<QPushButton>(w, "cmdAbbrechen")->click();
    });
    Rechnungsposten::oeffnen(db(), dialogs_, logik_, 3, QStringLiteral("Posten"), 2, nullptr);
    EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Abgebrochen);

    imDialog([&](Rechnungsposten& w) {
        test::child<QLineEdit>(w, "txtTelefonBetrag")->setText(QStringLiteral("9"));
        test::child<QPushButton>(w, "cmdVorgabeSpeichern")->click();
        test::child<QPushButton>(w, "cmdWeiter")->click();
    });
    Rechnungsposten::oeffnen(db(), dialogs_, logik_, 3, QStringLiteral("Posten"), 2, nullptr);
    EXPECT_EQ(logik_.ergebnis(), RechnungspostenLogik::Ergebnis::Ok);
    EXPECT_EQ(logik_.werte().summe(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT F2 FROM tblParameter WHERE Satz = 'Rechnungsposten'")).toString(), QStringLiteral("9,00"));
}
