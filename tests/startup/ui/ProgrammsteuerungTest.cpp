#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <tuple>

#include "engine/Database.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "startup/ui/Programmsteuerung.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"
#include "support/ScriptedFenster.h"
#include "support/TempFolder.h"

using namespace tav;
using namespace Qt::StringLiterals;

namespace {

// Counts every main window that is shown with its plan, and notes the window in front while it
// is shown (the splash window stays until the main window is there).
class Beobachter : public QObject {
public:
    explicit Beobachter(std::function<void(QWidget&)> gezeigt) : gezeigt_(std::move(gezeigt)) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->objectName() == QLatin1String("frmMain"))
            if (auto* w = qobject_cast<QWidget*>(o); w && w->isWindow()) gezeigt_(*w);
        return false;
    }

private:
    std::function<void(QWidget&)> gezeigt_;
};

class ProgrammsteuerungTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbfiles::createInstallation(ordner.path());
        beispieldaten::anlegen(*Database::open(ordner.file(u"Beispiel.mdb"_s)), QDate::currentDate());
        settings.deleteSection();
        settings.saveSetting(u"Pfad"_s, ordner.file(u"Tavomera.mdb"_s));
        settings.saveSetting(u"Zentral"_s, ordner.file(u"Zentral.mdb"_s));
        steuerung = std::make_unique<Programmsteuerung>(v, dialogs, settings, fenster, ordner.path(), u"Tavomera"_s);
        steuerung->shell = std::make_unique<ScriptedShell>();
        beobachter = std::make_unique<Beobachter>([this](QWidget& w) {
            ++eingerichtet;
            EXPECT_TRUE(static_cast<frmMain&>(w).plan()) << "a loaded main window shows the plan";
            if (beimZeigen) beimZeigen();
        });
        ende = std::make_unique<QSignalSpy>(steuerung.get(), &Programmsteuerung::programmEnde);
    }
    void TearDown() override {
        steuerung.reset();
        v.db.reset();
        v.beispielDb.reset();
    }
    // Lets queued restarts run.
    void warten() { QTest::qWait(50); }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    test::ScriptedFenster fenster;
    Variablen v;
    std::unique_ptr<Programmsteuerung> steuerung;
    std::unique_ptr<Beobachter> beobachter;
    std::function<void()> beimZeigen;
    std::unique_ptr<QSignalSpy> ende;
    int eingerichtet = 0;
};

}  // namespace

TEST_F(ProgrammsteuerungTest, TheSampleDatabaseAsWorkingAndCentralShowsTheMainWindow) {
    settings.saveSetting(u"Pfad"_s, ordner.file(u"Beispiel.mdb"_s));
    settings.saveSetting(u"Zentral"_s, ordner.file(u"Beispiel.mdb"_s));
    // While the main window is loaded the splash window is in front.
    QString splash;
    beimZeigen = [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmMaskeAufbauen") && w->isVisible()) {
                splash = w->objectName() + QLatin1Char('|') + w->windowTitle();
            }
        EXPECT_TRUE(v.splashAngezeigt);
    };
    steuerung->starten();
    EXPECT_EQ(splash, u"frmMaskeAufbauen|Initialisierung"_s);
    ASSERT_TRUE(steuerung->hauptfenster());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(steuerung->vorderstesFenster(), steuerung->hauptfenster());
    EXPECT_EQ(std::tuple(eingerichtet, steuerung->beschaeftigt(), v.splashAngezeigt, v.hauptfensterGeladen),
              std::tuple(1, false, false, true));
    EXPECT_GT(v.db->scalar(u"SELECT Count(*) FROM tblBelegung"_s).toInt(), 100);
}

TEST_F(ProgrammsteuerungTest, YesToTheSampleQuestionRestartsOnTheSampleDataAndNoDoesNotRestart) {
    dialogs.answer(Answer::Yes);
    steuerung->starten();
    warten();
    ASSERT_TRUE(steuerung->hauptfenster());
    EXPECT_TRUE(v.beispieldaten);
    EXPECT_EQ(std::tuple(dialogs.shown().size(), eingerichtet), std::tuple(1, 1)) << "the restart neither asks again nor asks for a backup";
    EXPECT_EQ(v.db->scalar(u"SELECT Von FROM tblBelegung ORDER BY ID"_s).toDate(), QDate::currentDate());
    auto* haken = steuerung->hauptfenster()->findChild<QAction*>(u"mnuBeispiedaten"_s);
    ASSERT_TRUE(haken);
    EXPECT_TRUE(haken->isChecked());

    // The menu leads back to the working data: a restart without the backup question; the
    // working database is still new, so the first-start question comes again.
    dialogs.clear();
    dialogs.answer(Answer::No);
    haken->trigger();
    warten();
    ASSERT_TRUE(steuerung->hauptfenster());
    EXPECT_FALSE(v.beispieldaten);
    EXPECT_EQ(dialogs.texts(), QStringList{u"Möchten Sie die Anwendung: 'Tavomera' zunächst mit Beispieldaten ansehen?"_s});
    EXPECT_EQ(v.db->scalar(u"SELECT Count(*) FROM tblBelegung"_s).toInt(), 0) << "the working data, not the sample";
    EXPECT_FALSE(steuerung->hauptfenster()->findChild<QAction*>(u"mnuBeispiedaten"_s)->isChecked());
    EXPECT_EQ(ende->count(), 0);
}

TEST_F(ProgrammsteuerungTest, CancelOnTheSampleQuestionEndsTheProgram) {
    dialogs.answer(Answer::Cancel);
    steuerung->starten();
    warten();
    EXPECT_EQ(std::tuple(ende->count(), steuerung->beendet(), bool(steuerung->hauptfenster()), bool(v.db)),
              std::tuple(1, true, false, false));
}

// The question and its answers are MainLogikTest's; here Cancel keeps the window, Yes backs up and ends the program.
TEST_F(ProgrammsteuerungTest, ClosingAsksForTheBackupAndCancelKeepsTheWindow) {
    fenster.setVorhanden(Ziel::Datensicherung);
    fenster.setSicherung(u"/sicher/DB_heute/"_s);
    dialogs.answer(Answer::No);  // no sample data
    steuerung->starten();
    frmMain* haupt = steuerung->hauptfenster();
    ASSERT_TRUE(haupt);
    dialogs.answer(Answer::Cancel);
    haupt->close();
    EXPECT_EQ(std::tuple(haupt->isVisible(), ende->count()), std::tuple(true, 0));
    dialogs.answer(Answer::Yes);
    haupt->close();
    EXPECT_EQ(std::tuple(fenster.sicherungen(), ende->count(), bool(v.db)), std::tuple(1, 1, false)) << "backed up, ended, closed";
}

TEST_F(ProgrammsteuerungTest, EmptySettingsAskAndOkOpensTheLocationsDialogWhereTheProgramCanEnd) {
    settings.deleteSection();
    dialogs.answer(Answer::Ok);
    bool gesehen = false;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        gesehen = dialog->objectName() == u"frmDatenbank"_s;
        EXPECT_EQ(steuerung->vorderstesFenster(), dialog);
        dialog->findChild<QPushButton*>(u"cmdEnde"_s)->click();
    });
    steuerung->starten();
    EXPECT_TRUE(gesehen);
    EXPECT_EQ(std::tuple(ende->count(), bool(steuerung->hauptfenster()), dialogs.shown().size()), std::tuple(1, false, 1))
        << "ending in the dialog starts no main window";
}

TEST_F(ProgrammsteuerungTest, ABrokenDatabaseAfterTheStartOpensTheLocationsDialogInsteadOfTheMainWindow) {
    dialogs.answer(Answer::No);
    steuerung->starten();
    ASSERT_TRUE(steuerung->hauptfenster());
    // The working database disappears; a restart finds the link database broken.
    v.db.reset();
    QFile::rename(ordner.file(u"Tavomera.mdb"_s), ordner.file(u"Weg.mdb"_s));
    steuerung->hauptfensterStarten();
    EXPECT_FALSE(steuerung->hauptfenster());
    QWidget* vorne = steuerung->vorderstesFenster();
    ASSERT_TRUE(vorne);
    EXPECT_EQ(std::tuple(vorne->objectName(), ende->count()), std::tuple(u"frmDatenbank"_s, 0));
    vorne->close();  // closed without saving and nothing else is left
    warten();
    EXPECT_EQ(ende->count(), 1);
}
