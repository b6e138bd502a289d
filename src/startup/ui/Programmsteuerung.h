#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "plan/ui/frmMain.h"
#include "startup/ui/frmDatenbank.h"
#include "startup/ui/frmMaskeAufbauen.h"

class QWidget;

namespace tav {

class Dialogs;
class Fenster;
class Shell;
class SettingsStore;
struct Variablen;

// Owns the windows of the start: runs the start-up procedure, loads (and reloads) the main
// window through the splash window, shows the database locations dialog, and ends the program.
// The main window opens every other window through fenster.
class Programmsteuerung : public QObject {
    Q_OBJECT
public:
    Programmsteuerung(Variablen& v, Dialogs& dialogs, SettingsStore& settings, Fenster& fenster, QString programmordner, QString dateiname,
                      QObject* parent = nullptr);
    ~Programmsteuerung() override;

    // Documents and sibling programs; the desktop's by default, tests put in their own.
    std::unique_ptr<Shell> shell;
    // The pass over documents and payments while the main window loads (handed to MainLogik).
    std::function<void(Database&)> rechnungenUndZahlungenPruefen;

    // The start-up procedure; ends the program when it says so.
    void starten();
    // Loads the main window through the splash window; unloads it first when it is loaded.
    void hauptfensterStarten();
    // Shows the locations dialog; unloads an open one first.
    void datenbankDialogZeigen(bool modal);

    // Start-up or a restart is running.
    bool beschaeftigt() const { return beschaeftigt_ > 0; }
    bool beendet() const { return beendet_; }
    // The window in front: an open modal box or dialog, else the locations dialog, else the main window.
    QWidget* vorderstesFenster() const;
    frmMain* hauptfenster() const { return main_; }

signals:
    // The program is to end (the owner quits the event loop).
    void programmEnde();

private:
    void hauptfensterEntladen();
    void beenden();

    Variablen& v_;
    Dialogs& dialogs_;
    SettingsStore& settings_;
    Fenster& fenster_;
    QString programmordner_;
    QString dateiname_;
    QPointer<frmMain> main_;
    QPointer<frmMaskeAufbauen> splash_;
    QPointer<frmDatenbank> dialog_;
    int beschaeftigt_ = 0;
    bool beendet_ = false;
};

}  // namespace tav
