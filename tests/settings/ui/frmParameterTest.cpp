#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "settings/EinstellungenFixture.h"
#include "settings/ui/frmParameter.h"
#include "store/Parameter.h"
#include "support/FremdeSperre.h"
#include "support/Screenshot.h"

using namespace tav;

class frmParameterTest : public test::EinstellungenFixture {
protected:
    void SetUp() override {
        EinstellungenFixture::SetUp();
        beispiel_ = open(QStringLiteral("Beispiel.mdb"));
        fenster_.setVorhanden({Ziel::Datensicherung, Ziel::Saisonpreise});
    }
    void TearDown() override {
        beispiel_.reset();
        EinstellungenFixture::TearDown();
    }
    QString label(int nr) {
        return db().scalar(QStringLiteral("SELECT NeueNummer FROM tbZimmernummern WHERE Zimmernummer = ?"), {nr}).toString();
    }
    static void tippen(QLineEdit* e, const QString& text) {
        e->selectAll();
        QTest::keyClicks(e, text);
    }
    std::unique_ptr<Database> beispiel_;
};

TEST_F(frmParameterTest, OpensOnTheAskedTabWithTheStoredValues) {
    struct Fall {
        const char* seite;
        int tab;
    } faelle[] = {{"Allgemein", 0}, {"Farben", 1}, {"Zimmer", 3}, {"ZusatzspaltenZuordnen", 3}, {"ZusatzspaltenEinrichten", 4}, {"", 0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.seite);
        frmParameter p(db(), beispiel_.get(), dialogs_, fenster_, QString::fromUtf8(f.seite));
        p.show();
        EXPECT_EQ(p.tabParameter->currentIndex(), f.tab);
        EXPECT_EQ(p.fldAnzZimmer->text(), QStringLiteral("9"));
        EXPECT_EQ(p.optBelArt[4]->text(), QStringLiteral("Angebot"));
        EXPECT_FALSE(p.optBelArt[5]->isEnabled()) << "an unused kind cannot be chosen";
        EXPECT_FALSE(p.cmdMWST->isEnabled()) << "the VAT window is not there";
        EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("101"));
        // A picture of the tab for a person to look at.
        test::saveScreenshot(p, QStringLiteral("frmParameter-") + p.tabParameter->tabText(f.tab));
    }
}

TEST_F(frmParameterTest, RenamingAndPricingRoomsFromTheRoomsTab) {
    frmParameter p(db(), beispiel_.get(), dialogs_, fenster_, QStringLiteral("Zimmer"));
    p.show();
    tippen(p.txtNeueZimmer, QStringLiteral("Linde"));
    tippen(p.txtPreis, QStringLiteral("72,50"));
    p.opRaucher->click();
    p.cmdSpeichernNaechster->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << dialogs_.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(label(1), QStringLiteral("Linde"));
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT PreisDefault FROM tbZimmernummern WHERE Zimmernummer = 1")).toDouble(), 72.5);
    EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("102")) << "the next room is shown";

    // An unsaved change is asked about before the next room is shown; No keeps the room as it was.
    tippen(p.txtNeueZimmer, QStringLiteral("Buche"));
    dialogs_.answer(Answer::No);
    p.cmdNaechster->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Änderungen speichern?")});
    EXPECT_EQ(label(2), QStringLiteral("102"));
    EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("103"));

    // The season prices open for the room shown, titled with its label.
    p.cmdSaisonpreise->click();
    ASSERT_EQ(fenster_.geoeffnet().size(), 1);
    EXPECT_EQ(fenster_.geoeffnet()[0].ziel, Ziel::Saisonpreise);
    EXPECT_EQ(fenster_.geoeffnet()[0].aufruf.zimmerNummer, 3);
    EXPECT_EQ(fenster_.geoeffnet()[0].aufruf.text, QStringLiteral("Preise für Zimmer '103'"));

    // The waiting room can be renamed but not moved.
    p.cmdLetzter->click();
    EXPECT_EQ(p.txtAlteZimmernummer->text(), QStringLiteral("Vorläufig"));
    EXPECT_FALSE(p.cmdVerschieben->isEnabled());
    EXPECT_FALSE(p.cmdSpeichernEnde->isEnabled());
}

TEST_F(frmParameterTest, AColourThatIsNotANumberStopsTheApply) {
    frmParameter p(db(), beispiel_.get(), dialogs_, fenster_, QStringLiteral("Farben"));
    p.show();
    const QString vorher = Parameter(db()).read(QStringLiteral("Farben"))->text(2);
    tippen(p.txtFarbe[1], QStringLiteral("blau"));
    tippen(p.txtTage, QStringLiteral("60"));
    p.cmdUebernehmen->click();
    ASSERT_FALSE(dialogs_.shown().isEmpty());
    EXPECT_EQ(dialogs_.last().text,
              QStringLiteral("Eine Farbe wird als Zahl zwischen 0 und 16777215 angegeben. Bitte überprüfen Sie die Eingabe."));
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("Farben"))->text(2), vorher);
    EXPECT_NE(Parameter(*beispiel_).read(QStringLiteral("ZeitDarstellung")).value_or(ParameterRow{}).text(1), QStringLiteral("60"));
    EXPECT_EQ(p.tabParameter->currentIndex(), 1);

    dialogs_.clear();
    tippen(p.txtFarbe[1], QStringLiteral("255"));
    p.cmdUebernehmen->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << dialogs_.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("Farben"))->text(2), QStringLiteral("255"));
    EXPECT_EQ(Parameter(*beispiel_).read(QStringLiteral("ZeitDarstellung"))->text(1), QStringLiteral("60"));
}

TEST_F(frmParameterTest, ClosingWithChangesAsksAndALockedFileIsNamed) {
    auto p = std::make_unique<frmParameter>(db(), beispiel_.get(), dialogs_, fenster_, QStringLiteral("Texte"));
    p->show();
    test::saveScreenshot(*p, QStringLiteral("frmParameter-Texte"));
    tippen(p->txtTexte[0], QStringLiteral("Pension Seeblick"));
    dialogs_.answer(Answer::Cancel);
    p->cmdSchliessen->click();
    EXPECT_TRUE(p->isVisible()) << "Cancel stays";
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Änderungen speichern?")});

    // Another workstation holds the file of the settings rows: the message names the file.
    test::FremdeSperre::kurzWarten(db());
    {
        test::FremdeSperre sperre({test::FremdeSperre::dateiDer(db(), QStringLiteral("tblParameter"))});
        dialogs_.clear();
        p->cmdUebernehmen->click();
        ASSERT_EQ(dialogs_.shown().size(), 1);
        EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden.")));
        EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral(".mdb"))) << dialogs_.last().text.toStdString();
        EXPECT_TRUE(p->isVisible());
    }
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    p->cmdSchliessen->click();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(Parameter(db()).text(QStringLiteral("Absender1")), QStringLiteral("Pension Seeblick"));
}
