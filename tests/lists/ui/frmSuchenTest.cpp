#include "lists/ui/frmSuchen.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "lists/ListenTestSupport.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Variablen.h"
#include "store/clsPfade.h"
#include "support/FremdeSperre.h"
#include "support/Screenshot.h"
#include "support/ScriptedFenster.h"

namespace tav::test {

namespace {

class frmSuchenTest : public ListenFixture {
protected:
    void SetUp() override {
        ListenFixture::SetUp();
        altOrdner_ = variablen().programmordner;
        variablen().programmordner = folder();
        fenster_.setVorhanden(Ziel::Reservierung);
        const int mueller = adresse(QStringLiteral("Müller"), QStringLiteral("Max"));
        const int meier = adresse(QStringLiteral("Meier"), QStringLiteral("Eva"));
        const int leer = adresse(QVariant(), QStringLiteral("Firma"));
        buchung({.zimmer = 1, .von = tag(28, 2), .bis = tag(3), .kuerzel = "mue", .gast = mueller, .fruehstueck = true});
        buchung({.zimmer = 2, .von = tag(1), .bis = tag(4), .kuerzel = "mei", .gast = meier, .fruehstueck = true});
        buchung({.zimmer = 3, .von = tag(2), .bis = tag(5), .kuerzel = "leer", .gast = leer});
    }
    void TearDown() override {
        variablen().programmordner = altOrdner_;
        ListenFixture::TearDown();
    }
    QAction* aktion(frmSuchen& f, const char* name) { return f.findChild<QAction*>(QString::fromUtf8(name)); }
    void filter(frmSuchen& f, int spalte, const QString& text) { ASSERT_TRUE(f.modell().setData(f.modell().index(0, spalte - 1), text)); }

    ScriptedFenster fenster_;
    ScriptedShell shell_;
    QString altOrdner_;
};

TEST_F(frmSuchenTest, FilterRowNarrowsTheListAndBadInputSaysWhy) {
    frmSuchen f(db(), dialogs_, fenster_, shell_);
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(f.laden());
    EXPECT_EQ(f.modell().rowCount(), 4);  // the filter row and three bookings
    EXPECT_EQ(f.modell().headerData(0, Qt::Vertical).toString(), QStringLiteral("Filter"));

    filter(f, 8, QStringLiteral("Mü"));
    filter(f, 19, QStringLiteral("32.13."));
    QTest::mouseClick(f.cmdFilter, Qt::LeftButton);
    ASSERT_EQ(f.modell().rowCount(), 3);  // Müller and the empty last name
    EXPECT_EQ(f.modell().data(f.modell().index(1, 7)).toString(), QStringLiteral("Müller"));
    const QString status = f.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("2 Datensätze"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("Bis: „32.13.“ ist kein gültiges Datum"))) << status.toStdString();
    saveScreenshot(f, QStringLiteral("frmSuchen_filter"));

    // A filter that finds nothing keeps the list and gets the previous texts back.
    filter(f, 6, QStringLiteral("999"));
    QTest::mouseClick(f.cmdFilter, Qt::LeftButton);
    ASSERT_FALSE(dialogs_.shown().isEmpty());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Keine Daten gefunden"));
    EXPECT_EQ(f.modell().rowCount(), 3);
    EXPECT_EQ(f.modell().filter()[7], QStringLiteral("Mü"));
    EXPECT_EQ(f.modell().filter()[5], QString());
    dialogs_.clear();

    aktion(f, "mnuFilterEntfernen")->trigger();
    EXPECT_EQ(f.modell().rowCount(), 4);

    // The header sorts; a second click turns the order round.
    f.MSFlexSuchen->horizontalHeader()->sectionClicked(7);
    EXPECT_EQ(f.modell().data(f.modell().index(1, 7)).toString(), QString());  // the empty last name first
    EXPECT_EQ(f.modell().data(f.modell().index(2, 7)).toString(), QStringLiteral("Meier"));
    f.MSFlexSuchen->horizontalHeader()->sectionClicked(7);
    EXPECT_EQ(f.modell().data(f.modell().index(1, 7)).toString(), QStringLiteral("Müller"));
}

TEST_F(frmSuchenTest, OpensTheReservationAndExportsTheBreakfastList) {
    frmSuchen f(db(), dialogs_, fenster_, shell_);
    ASSERT_TRUE(f.laden());
    f.MSFlexSuchen->setCurrentIndex(f.modell().index(2, 3));
    const int id = f.modell().data(f.modell().index(2, 3), Qt::UserRole).toInt();
    aktion(f, "mnuResOeffnen")->trigger();
    ASSERT_EQ(fenster_.geoeffnet().size(), 1);
    EXPECT_EQ(fenster_.geoeffnet()[0].aufruf.buchungId, id);
    EXPECT_FALSE(aktion(f, "mnuUebersicht")->isEnabled());  // the account window is not there

    dialogs_.answerText(QStringLiteral("03.03.2024"));
    aktion(f, "mnuExportFruehstueck")->trigger();
    const QString pfad = QDir::toNativeSeparators(file(QStringLiteral("allgdat.doc")));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die Daten wurden exportiert nach ") + pfad + QLatin1Char('.'));
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(datei.readAll().count("\r\n"), 4);  // two lines of heads, Müller and Meier
}

TEST_F(frmSuchenTest, ALockedFileKeepsTheListAndNamesTheFile) {
    frmSuchen f(db(), dialogs_, fenster_, shell_);
    ASSERT_TRUE(f.laden());
    FremdeSperre::kurzWarten(db());
    const QString zentral = FremdeSperre::dateiDer(db(), QStringLiteral("tblBelegung"));
    {
        FremdeSperre sperre({zentral});
        filter(f, 8, QStringLiteral("Mü"));
        QTest::mouseClick(f.cmdFilter, Qt::LeftButton);
        ASSERT_EQ(dialogs_.shown().size(), 1);
        EXPECT_TRUE(dialogs_.last().text.contains(QFileInfo(zentral).fileName())) << dialogs_.last().text.toStdString();
        EXPECT_FALSE(dialogs_.last().text.contains(QStringLiteral("SELECT"), Qt::CaseInsensitive));
        EXPECT_EQ(f.modell().rowCount(), 4);
        dialogs_.clear();
        aktion(f, "mnuFilterEntfernen")->trigger();
        EXPECT_EQ(dialogs_.shown().size(), 1);
        EXPECT_EQ(f.modell().rowCount(), 4);
        dialogs_.clear();
    }
    QTest::mouseClick(f.cmdFilter, Qt::LeftButton);
    EXPECT_EQ(f.modell().rowCount(), 4);
    filter(f, 8, QStringLiteral("Mü"));
    QTest::mouseClick(f.cmdFilter, Qt::LeftButton);
    EXPECT_EQ(f.modell().rowCount(), 3);
}

TEST_F(frmSuchenTest, FurtherDocumentWritesTheRowsAddressIntoTheProgramFolder) {
    const QString dokument = folder() + QStringLiteral("/Briefe/Anfahrt.odt");
    ASSERT_TRUE(QDir().mkpath(folder() + QStringLiteral("/Briefe")));
    SettingsStore speicher;
    clsPfade(db(), speicher).Pfadsetzen(6, {QStringLiteral("Anfahrt & Parken"), dokument, true});
    shell_.addDocument(dokument);
    frmSuchen f(db(), dialogs_, fenster_, shell_);
    ASSERT_TRUE(f.laden());
    QAction* eins = aktion(f, "mnuDok_1");
    EXPECT_EQ(eins->text(), QStringLiteral("Anfahrt && Parken"));
    ASSERT_TRUE(eins->isEnabled());
    EXPECT_FALSE(aktion(f, "mnuDok_2")->isEnabled());
    f.MSFlexSuchen->setCurrentIndex(f.modell().index(1, 7));  // Müller
    dialogs_.answer(Answer::Ok);
    eins->trigger();
    const QString adressdatei = file(QStringLiteral("adresse.doc"));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Adressdaten wurden exportiert nach ") + QDir::toNativeSeparators(adressdatei) +
                                            QLatin1Char('.')});
    QFile datei(adressdatei);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(datei.readAll()).contains(QStringLiteral("Müller;Max;")));
    EXPECT_EQ(shell_.opened(), QStringList{dokument});
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/Briefe/adresse.doc")));
}

TEST_F(frmSuchenTest, OpensWithTheDeparturesOfADay) {
    Aufruf a;
    a.anreise = tag(4);
    frmSuchen f(db(), dialogs_, fenster_, shell_, a);
    ASSERT_TRUE(f.laden());
    ASSERT_EQ(f.modell().rowCount(), 2);
    EXPECT_EQ(f.modell().data(f.modell().index(1, 7)).toString(), QStringLiteral("Meier"));
}

TEST_F(frmSuchenTest, ScrollingReadsOnlyTheShownPagesAndKeepsACache) {
    const int g = adresse(QStringLiteral("Viele"));
    {
        Transaction t(db());
        for (int i = 0; i < 3000; ++i)
            buchung({.zimmer = 1 + i % 4,
                     .von = tag(1).addDays(i),
                     .bis = tag(2).addDays(i),
                     .kuerzel = QStringLiteral("v%1").arg(i),
                     .gast = g});
        t.commit();
    }
    frmSuchen f(db(), dialogs_, fenster_, shell_);
    f.resize(1000, 600);
    f.show();
    ASSERT_TRUE(f.laden());
    QApplication::processEvents();
    EXPECT_EQ(f.modell().anzahl(), 3003);
    EXPECT_LE(f.modell().gelesen(), 2 * BuchungslisteModell::kSeite);
    QScrollBar* bar = f.MSFlexSuchen->verticalScrollBar();
    for (int wert = 0; wert <= bar->maximum(); wert += bar->pageStep()) {
        const qint64 vorher = f.modell().gelesen();
        bar->setValue(wert);
        f.MSFlexSuchen->viewport()->repaint();
        // One screen never reads more than the rows it shows and the page around them.
        EXPECT_LE(f.modell().gelesen() - vorher, 3 * BuchungslisteModell::kSeite);
        ASSERT_LE(f.modell().imSpeicher(), BuchungslisteModell::kSeitenImSpeicher * BuchungslisteModell::kSeite);
    }
    const QModelIndex letzte = f.modell().index(f.modell().rowCount() - 1, 23);
    EXPECT_FALSE(f.modell().data(letzte).toString().isEmpty());
    EXPECT_LE(f.modell().gelesen(), 3003 + 2 * BuchungslisteModell::kSeite);
}

}  // namespace

}  // namespace tav::test
