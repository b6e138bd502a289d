#pragma once

#include <QMainWindow>

#include "data/HauptfensterLogik.h"

class QAction;

namespace tav {

// The main window: caption, menu bar and the central area where the plan is drawn. Its load
// and unload (initialisation, backup question) live in HauptfensterLogik; whoever owns the
// window reacts to laden()'s outcome and to the signals (restart, locations dialog).
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Variablen& v, Dialogs& dialogs, SettingsStore& settings, QWidget* parent = nullptr);

    HauptfensterLogik& logik() { return logik_; }

    // The load handler: runs the initialisation; on success the caption is set.
    HauptfensterLogik::Ergebnis laden();

    // The widget drawn in the central area (the plan).
    void setPlan(QWidget* plan);
    QWidget* plan() const { return centralWidget(); }

    QMenu* menuDatei() const { return mnuDatei_; }

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
    void menueAufbauen();

    Variablen& v_;
    HauptfensterLogik logik_;
    QMenu* mnuDatei_ = nullptr;
    QAction* mnuBeispiedaten_ = nullptr;
};

}  // namespace tav
