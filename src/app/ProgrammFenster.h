#pragma once

#include "backup/Datensicherung.h"
#include "store/Fenster.h"

namespace tav {

class Dialogs;
class SettingsStore;
class Shell;
struct Variablen;

// The windows of this program that one part opens in another: the reservation form, the quick
// address search, the season editors, the payments window, the settlement dialog and the booking list. Every other target is reported as
// not there, so that its entries stay disabled and no question is asked that would need it. A window that cannot read its database while it
// opens says so in a German message naming the file.
class ProgrammFenster : public Fenster {
public:
    // shell: how the items editor starts the address and evaluation programs and opens a
    // finished document; the desktop's when none is given.
    ProgrammFenster(Variablen& v, Dialogs& dialogs, Shell* shell = nullptr) : v_(v), dialogs_(dialogs), shell_(shell) {}

    bool vorhanden(Ziel ziel) const override;
    void oeffnen(Ziel ziel, const Aufruf& aufruf, QObject* eltern) override;
    QString datenSichern() override;

private:
    void oeffneFenster(Ziel ziel, const Aufruf& aufruf, QWidget* eltern);
    // The files of this installation as the settings name them.
    SicherungsDateien sicherungsDateien(const SettingsStore& settings) const;

    Variablen& v_;
    Dialogs& dialogs_;
    Shell* shell_;
};

}  // namespace tav
