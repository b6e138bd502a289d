#include "reservation/Blockprogramm.h"

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "store/mdBlockbuchung.h"

namespace tav {

Blockprogramm::Blockprogramm(Shell& shell, Dialogs& dialogs, QString programmordner, QString linkDatenbank)
    : shell_(shell), dialogs_(dialogs), ordner_(std::move(programmordner)), datenbank_(std::move(linkDatenbank)) {}

QString Blockprogramm::programmPfad() const { return files::join(ordner_, kProgramm); }

bool Blockprogramm::vorhanden() const { return shell_.programExists(programmPfad()); }

bool Blockprogramm::oeffnen(int buchungId) {
    if (shell_.raiseWindow(mdBlockbuchung::kFenster)) return true;
    QStringList argumente{QString::number(buchungId)};
    if (!datenbank_.isEmpty()) argumente << datenbank_;
    if (shell_.startProgram(programmPfad(), argumente)) return true;
    dialogs_.message(QStringLiteral("Das Programm 'Tosmek.exe' konnte nicht gestartet werden."), {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool Blockprogramm::fensterOffen() const { return shell_.windowExists(mdBlockbuchung::kFenster); }

}  // namespace tav
