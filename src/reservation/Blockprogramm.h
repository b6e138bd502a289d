#pragma once

#include <QString>

namespace tav {

class Dialogs;
class Shell;

// The block program (Tosmek.exe in the program folder) as the reservation form sees it: the
// command that brings it up for a booking, and the question of the form's timer whether its
// window "Blockbuchung" is still open.
class Blockprogramm {
public:
    static inline const QString kProgramm = QStringLiteral("Tosmek.exe");

    // linkDatenbank: the database the program works on (handed on as its second argument).
    Blockprogramm(Shell& shell, Dialogs& dialogs, QString programmordner, QString linkDatenbank);

    QString programmPfad() const;
    bool vorhanden() const;
    // Brings an open block window forward (it reads the hand-over row and shows that booking)
    // or starts the program with the booking ID; a start that fails is reported. True when the
    // program runs now: the form starts its timer.
    bool oeffnen(int buchungId);
    // The block window is open.
    bool fensterOffen() const;

private:
    Shell& shell_;
    Dialogs& dialogs_;
    QString ordner_;
    QString datenbank_;
};

}  // namespace tav
