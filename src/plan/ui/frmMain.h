#pragma once

#include <QMainWindow>
#include <memory>

#include "plan/MainLogik.h"
#include "store/Zimmerliste.h"

namespace tav {

class Fenster;
class PlanMenue;
class Planbereich;
class Shell;

// The main window: caption, the menu bar and the occupancy plan in its centre. Its load and
// unload (initialisation, backup question) live in MainLogik; whoever owns the window
// reacts to laden()'s outcome and to the signals (restart, locations dialog), and connects the
// plan's and the menu's requests for windows to the window service.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Shell& shell, Fenster& fenster, QWidget* parent = nullptr);
    ~frmMain() override;

    MainLogik& logik() { return logik_; }

    // The load handler: runs the initialisation; on success the caption is set and the room
    // list, the plan and the menu bar are built.
    MainLogik::Ergebnis laden();

    // Built by laden(); nullptr before or after a failed load.
    Planbereich* plan() const { return plan_; }
    PlanMenue* menue() const { return menue_; }
    const Zimmerliste& zimmer() const { return rooms_; }

signals:
    // The main window is to be unloaded and loaded again through the splash window.
    void neustartGewuenscht();
    // The database locations dialog is to be shown.
    void datenbankDialogGewuenscht();
    // The window closed for good (not for a restart).
    void geschlossen();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void planAufbauen();

    Variablen& v_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    Shell& shell_;
    Fenster& fenster_;
    MainLogik logik_;
    Zimmerliste rooms_;
    Planbereich* plan_ = nullptr;
    PlanMenue* menue_ = nullptr;
};

}  // namespace tav
