#include "store/Adressprogramm.h"

#include <QSettings>

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Shell.h"

namespace tav {

namespace {

const QString kWert = QStringLiteral("Startup/AktuelleAdresse");

}  // namespace

Adressprogramm::Adressprogramm(Shell& shell, Dialogs& dialogs, QString programmordner, Auswahl auswahl)
    : shell_(shell), dialogs_(dialogs), ordner_(std::move(programmordner)), auswahl_(std::move(auswahl)) {}

QString Adressprogramm::programmPfad() const { return files::join(ordner_, kProgramm); }

bool Adressprogramm::vorhanden() const { return shell_.programExists(programmPfad()); }

bool Adressprogramm::oeffnen() {
    if (!vorhanden()) return false;
    if (!shell_.raiseWindow(kFenster) && !shell_.startProgram(programmPfad())) {
        dialogs_.message(QStringLiteral("Das Programm 'Qubero.exe' konnte nicht gestartet werden."), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    letzte_ = auswahl_ ? auswahl_() : 0;
    return true;
}

int Adressprogramm::neueAuswahl() {
    const int jetzt = auswahl_ ? auswahl_() : 0;
    if (jetzt == letzte_) return 0;
    letzte_ = jetzt;
    return jetzt > 0 ? jetzt : 0;
}

int Adressprogramm::gewaehlteAdresse() {
    QSettings s(QStringLiteral("Kavurel"), QStringLiteral("Qubero"));
    s.sync();  // another process writes the value
    bool zahl = false;
    const int id = s.value(kWert).toString().trimmed().toInt(&zahl);
    return zahl && id > 0 ? id : 0;
}

void Adressprogramm::gewaehlteAdresseMelden(int id) {
    QSettings s(QStringLiteral("Kavurel"), QStringLiteral("Qubero"));
    s.setValue(kWert, id > 0 ? QString::number(id) : QString());
    s.sync();
}

}  // namespace tav
