#pragma once

#include <QString>
#include <functional>

namespace tav {

class Dialogs;
class Shell;

// The sibling address program (Qubero.exe in the program folder, main window "Adressverwaltung")
// as a form sees it: the command that brings it up, and the poll of the form's timer that asks
// which address the user chose there.
//
// The address program tells which address is chosen through the per-user settings of the
// family: application "Kavurel", program "Qubero", section "Startup", value "AktuelleAdresse"
// holds the address ID (empty or 0 while none is chosen).
class Adressprogramm {
public:
    static inline const QString kProgramm = QStringLiteral("Qubero.exe");
    static inline const QString kFenster = QStringLiteral("Adressverwaltung");

    // The address ID chosen in the address program now; 0 when none.
    using Auswahl = std::function<int()>;

    Adressprogramm(Shell& shell, Dialogs& dialogs, QString programmordner, Auswahl auswahl = &gewaehlteAdresse);

    QString programmPfad() const;
    // The program file is in the program folder: only then can the command do anything, so the
    // form disables its command otherwise.
    bool vorhanden() const;

    // Brings the running program's window forward, or starts the program. A missing program
    // starts nothing and says nothing (as in the main window); one that is there but does not
    // start gets a message. True when the program runs now: the form starts its timer. The
    // address chosen at this moment is not offered; only a later choice is.
    bool oeffnen();

    // The timer: the address chosen in the address program when the choice changed since the
    // last poll; 0 otherwise (no change, or nothing chosen).
    int neueAuswahl();

    // The settings value the address program writes, read fresh from the file on each call.
    static int gewaehlteAdresse();
    // What the address program does when the user chooses an address (0 clears the choice).
    static void gewaehlteAdresseMelden(int id);

private:
    Shell& shell_;
    Dialogs& dialogs_;
    QString ordner_;
    Auswahl auswahl_;
    int letzte_ = 0;
};

}  // namespace tav
