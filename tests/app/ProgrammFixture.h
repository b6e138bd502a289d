#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "plan/PlanModel.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/Plantafel.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/TempFolder.h"

namespace tav::test {

// The program as a user meets it: the main window with the program's own windows, on the
// sample installation (or on a new one, when the test starts it itself).
class ProgrammFixture : public ::testing::Test {
protected:
    void TearDown() override {
        hauptfenster.reset();
        variablen() = Variablen{};
    }

    // The sample installation as the start-up leaves it after "Yes" to the sample question:
    // the links reach the sample file.
    void beispielEinrichten() {
        beispielInstallation(ordner, settings);
        verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))),
                                         ordner.file(QStringLiteral("Beispiel.mdb")), ordner.file(QStringLiteral("Beispiel.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
    }

    // The main window (again, as the restart after the settings does); shown when it is ready.
    MainLogik::Ergebnis starten() {
        hauptfenster.reset();
        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        const MainLogik::Ergebnis e = hauptfenster->laden();
        if (e != MainLogik::Ergebnis::Bereit) return e;
        hauptfenster->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(hauptfenster.get()));
        return e;
    }

    Planbereich& plan() { return *hauptfenster->plan(); }
    PlanModel& model() { return plan().model(); }
    Database& db() { return *variablen().db; }
    QString meldungen() const { return dialogs.texts().join(QLatin1Char('|')); }

    // Runs `was` on the modal window of that type once it is open; geoeffnet tells whether it
    // came. It polls, because the mouse events that open the window run the event loop themselves.
    template <typename Fenster>
    static void imModalenFenster(std::function<void(Fenster&)> was, bool* geoeffnet) {
        auto* warten = new QTimer(qApp);
        auto versuche = std::make_shared<int>(0);
        QObject::connect(warten, &QTimer::timeout, warten, [warten, was, geoeffnet, versuche] {
            auto* w = qobject_cast<Fenster*>(QApplication::activeModalWidget());
            if (!w && ++*versuche < 500) return;
            warten->stop();
            warten->deleteLater();
            if (!w) return;
            *geoeffnet = true;
            was(*w);
        });
        warten->start(10);
    }

    void ziehen(int zeile, int von, int bis) {
        Plantafel* v = plan().view();
        QTest::mousePress(v, Qt::LeftButton, {}, v->zellMitte(zeile, von));
        for (int s = von + 1; s <= bis; ++s) QTest::mouseMove(v, v->zellMitte(zeile, s));
        QTest::mouseRelease(v, Qt::LeftButton, {}, v->zellMitte(zeile, bis));
    }

    // Right click on a cell and the entry of the booking menu with that object name.
    void kontextmenue(int zeile, int spalte, const char* eintrag) {
        QTimer::singleShot(0, [eintrag] {
            auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menue, nullptr) << "the booking menu is open";
            QAction* a = menue->findChild<QAction*>(QString::fromUtf8(eintrag));
            ASSERT_NE(a, nullptr) << eintrag;
            EXPECT_TRUE(a->isEnabled()) << eintrag;
            menue->close();
            a->trigger();
        });
        Plantafel* v = plan().view();
        QTest::mousePress(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
        QTest::mouseRelease(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
    }

    TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs, formDialoge;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs, &shell};
    std::unique_ptr<frmMain> hauptfenster;
};

}  // namespace tav::test
