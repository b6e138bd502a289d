#pragma once

#include <QMainWindow>
#include <memory>

#include "data/HauptfensterLogik.h"
#include "plan/RoomList.h"

namespace tav {

class PlanMenue;
class PlanWidget;
class Shell;

// The main window: caption, the menu bar and the occupancy plan in its centre. Its load and
// unload (initialisation, backup question) live in HauptfensterLogik; whoever owns the window
// reacts to laden()'s outcome and to the signals (restart, locations dialog), and connects the
// plan's and the menu's requests for windows of other parts.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Shell& shell, QWidget* parent = nullptr);
    ~frmMain() override;

    HauptfensterLogik& logik() { return logik_; }

    // The load handler: runs the initialisation; on success the caption is set and the room
    // list, the plan and the menu bar are built.
    HauptfensterLogik::Ergebnis laden();

    // Built by laden(); nullptr before or after a failed load.
    PlanWidget* plan() const { return plan_; }
    PlanMenue* menue() const { return menue_; }
    const RoomList& zimmer() const { return rooms_; }

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
    HauptfensterLogik logik_;
    RoomList rooms_;
    PlanWidget* plan_ = nullptr;
    PlanMenue* menue_ = nullptr;
};

}  // namespace tav
