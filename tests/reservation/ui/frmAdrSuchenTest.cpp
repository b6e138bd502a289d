#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reservation/Beispieldaten.h"
#include "reservation/ui/frmAdrSuchen.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"
#include "support/FremdeSperre.h"
#include "support/ScriptedFenster.h"

using namespace tav;
using namespace Qt::StringLiterals;

class frmAdrSuchenTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        test::beispieldatenAnlegen(db(), heute_);
    }
    QStringList namen(frmAdrSuchen& f) {
        QStringList out;
        for (const AdrTreffer& t : f.modell().treffer()) out << t.nachname;
        return out;
    }

    QDate heute_{2024, 7, 1};
    ClockOverride uhr_{heute_};
    ScriptedDialogs dialogs_;
    test::ScriptedFenster fenster_;
};

TEST_F(frmAdrSuchenTest, TheFirstCharacterFromThePlanShowsNothingUntilTheSecond) {
    Parameter(db()).saveYesNo(u"Such_Nachname"_s, 1);
    Parameter(db()).saveYesNo(u"Such_Ort"_s, 1);
    frmAdrSuchen f(db(), dialogs_, fenster_, u"M"_s);
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(QList<bool>({f.chNachname->isChecked(), f.chVorname->isChecked(), f.chStrasse->isChecked(), f.chOrt->isChecked()}),
              QList<bool>({true, false, false, true}));
    EXPECT_EQ(f.txtSuchwort->text(), u"M"_s);
    EXPECT_EQ(f.modell().rowCount(), 0) << "one character shows nothing";

    // The next key typed goes after the character from the plan.
    f.show();
    QApplication::processEvents();
    QKeyEvent ue(QEvent::KeyPress, Qt::Key_Udiaeresis, Qt::NoModifier, u"ü"_s);
    QApplication::sendEvent(f.txtSuchwort, &ue);
    EXPECT_EQ(f.txtSuchwort->text(), u"Mü"_s);
    EXPECT_EQ(namen(f), QStringList({u"Müller"_s, u"Müller-Lüdenscheidt"_s, u"Neumann"_s})) << "Neumann lives in München";
    EXPECT_EQ(f.gewaehlteAdresse(), 8) << "the first row is chosen";

    // A box ticked off searches again at once; the default button stores the ticks.
    f.chOrt->setChecked(false);
    EXPECT_EQ(f.modell().rowCount(), 2);
    f.chVorname->setChecked(true);
    f.cmdVorgabe->click();
    EXPECT_EQ(QList<bool>({Parameter(db()).readYesNo(u"Such_Vorname"_s), Parameter(db()).readYesNo(u"Such_Ort"_s)}),
              QList<bool>({true, false}));
}

TEST_F(frmAdrSuchenTest, ButtonsOpenTheReservationAndTheAccountOverview) {
    fenster_.setVorhanden({Ziel::Reservierung, Ziel::Adresskonto});
    Parameter(db()).saveYesNo(u"Such_Nachname"_s, 1);
    frmAdrSuchen f(db(), dialogs_, fenster_, u"Me"_s);
    ASSERT_EQ(namen(f), QStringList({u"Meier"_s, u"Meyer"_s}));

    // Meier arrives in ten days: Enter in the search word opens that booking.
    QTest::keyClick(f.txtSuchwort, Qt::Key_Return);
    ASSERT_EQ(fenster_.ziele(), QList<Ziel>({Ziel::Reservierung}));
    EXPECT_EQ(fenster_.geoeffnet()[0].aufruf.buchungId, db().scalar(u"SELECT ID FROM tblBelegung WHERE GastID = 5"_s).toInt());

    // Meyer has no booking at all: asked first.
    f.ctrFlexAdresse->selectRow(1);
    dialogs_.answer(Answer::Yes);
    f.cmdResOeffnen->click();
    EXPECT_EQ(dialogs_.last().text, u"Für diese Adresse existieren keine Reservierungen. Möchten Sie Übersicht für die Adresse öffnen?"_s);
    ASSERT_EQ(fenster_.ziele().size(), 2);
    EXPECT_EQ(fenster_.geoeffnet()[1].ziel, Ziel::Adresskonto);
    EXPECT_EQ(fenster_.geoeffnet()[1].aufruf.adressId, 6);

    f.cmdNeueRes->click();
    ASSERT_EQ(fenster_.ziele().size(), 3);
    const Aufruf neu = fenster_.geoeffnet()[2].aufruf;
    EXPECT_EQ(fenster_.geoeffnet()[2].ziel, Ziel::Reservierung);
    EXPECT_TRUE(neu.neueBuchung);
    EXPECT_EQ(neu.adressId, 6);
    EXPECT_EQ(neu.anreise, heute_);
    EXPECT_EQ(neu.abreise, heute_.addDays(1));

    f.cmdUebersicht->click();
    EXPECT_EQ(fenster_.ziele().value(3), Ziel::Adresskonto);
}

TEST_F(frmAdrSuchenTest, AButtonWhoseWindowIsMissingIsDisabled) {
    struct Fall {
        const char* name;
        QList<Ziel> da;
        bool oeffnen, neu, uebersicht;
    };
    const QList<Fall> faelle = {
        {"nothing there", {}, false, false, false},
        {"only the reservation form", {Ziel::Reservierung}, true, true, false},
        {"only the overview", {Ziel::Adresskonto}, true, false, true},
    };
    Parameter(db()).saveYesNo(u"Such_Nachname"_s, 1);
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        test::ScriptedFenster fenster;
        for (Ziel z : fall.da) fenster.setVorhanden(z);
        frmAdrSuchen f(db(), dialogs_, fenster, u"Mü"_s);
        EXPECT_EQ(f.cmdResOeffnen->isEnabled(), fall.oeffnen);
        EXPECT_EQ(f.cmdNeueRes->isEnabled(), fall.neu);
        EXPECT_EQ(f.cmdUebersicht->isEnabled(), fall.uebersicht);
        QTest::keyClick(f.txtSuchwort, Qt::Key_Return);
        if (!fall.oeffnen) {
            EXPECT_TRUE(fenster.geoeffnet().isEmpty()) << "Enter opens nothing either";
        }
    }
}

TEST_F(frmAdrSuchenTest, ALockHeldElsewhereIsReportedAndTheSearchGoesOn) {
    fenster_.setVorhanden({Ziel::Reservierung, Ziel::Adresskonto});
    Parameter(db()).saveYesNo(u"Such_Nachname"_s, 1);
    frmAdrSuchen f(db(), dialogs_, fenster_, u"M"_s);
    test::FremdeSperre::kurzWarten(db());
    const QString datei = test::FremdeSperre::dateiDer(db(), u"Address"_s);
    test::FremdeSperre sperre({datei});

    QTest::keyClicks(f.txtSuchwort, u"e"_s);
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(dialogs_.last().text.startsWith(u"Die Adressen konnten nicht gesucht werden.\nDatenbank: "_s + QFileInfo(datei).fileName() +
                                                QLatin1Char('\n')))
        << dialogs_.last().text.toStdString();
    EXPECT_EQ(f.modell().rowCount(), 0);
    EXPECT_EQ(f.txtSuchwort->text(), u"Me"_s) << "the word typed stays";

    sperre.freigeben();
    dialogs_.clear();
    QTest::keyClicks(f.txtSuchwort, u"i"_s);
    EXPECT_EQ(namen(f), QStringList{u"Meier"_s});
    EXPECT_TRUE(dialogs_.shown().isEmpty());
}
