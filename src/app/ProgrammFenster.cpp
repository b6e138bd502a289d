#include "app/ProgrammFenster.h"

#include <QDir>
#include <QWidget>

#include "backup/DatensicherungLogik.h"
#include "backup/ui/frmDatensicherung.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/ui/frmAdrSuchen.h"
#include "reservation/ui/frmReservierung.h"
#include "reservation/ui/frmSaison.h"
#include "reservation/ui/frmSaisonpreise.h"
#include "store/Datenbankfehler.h"
#include "store/Variablen.h"

namespace tav {

namespace {

QString fensterName(Ziel ziel) {
    switch (ziel) {
        case Ziel::Reservierung: return QStringLiteral("Die Reservierung");
        case Ziel::Adresssuche: return QStringLiteral("Die Schnellsuche Adressen");
        case Ziel::Saisonzeiten: return QStringLiteral("Die Saisonzeiten");
        case Ziel::Saisonpreise: return QStringLiteral("Die Saisonpreise");
        case Ziel::Datensicherung: return QStringLiteral("Die Datensicherung");
        default: return QStringLiteral("Das Fenster");
    }
}

}  // namespace

bool ProgrammFenster::vorhanden(Ziel ziel) const {
    switch (ziel) {
        case Ziel::Reservierung:
        case Ziel::Adresssuche:
        case Ziel::Saisonzeiten:
        case Ziel::Saisonpreise:
        case Ziel::Datensicherung: return true;
        default: return false;
    }
}

void ProgrammFenster::oeffnen(Ziel ziel, const Aufruf& aufruf, QObject* eltern) {
    if (!vorhanden(ziel) || !v_.db) return;
    auto* fenster = qobject_cast<QWidget*>(eltern);
    datenbankGeschuetzt(dialogs_, fensterName(ziel) + QStringLiteral(" konnte nicht geöffnet werden."),
                        [&] { oeffneFenster(ziel, aufruf, fenster); });
}

void ProgrammFenster::oeffneFenster(Ziel ziel, const Aufruf& aufruf, QWidget* eltern) {
    Database& db = *v_.db;
    switch (ziel) {
        case Ziel::Reservierung:
            // A new booking for an address from the quick search; else the plan's hand-over.
            if (aufruf.neueBuchung && aufruf.adressId != 0) {
                frmReservierung::oeffnenNeu(aufruf.adressId, aufruf.anreise, aufruf.abreise, eltern);
            } else {
                frmReservierung::oeffnen(uebergabeAus(aufruf), eltern);
            }
            return;
        case Ziel::Adresssuche: frmAdrSuchen::oeffnen(db, dialogs_, *this, aufruf.text, eltern); return;
        case Ziel::Saisonzeiten: frmSaison::oeffnen(db, dialogs_, eltern); return;
        case Ziel::Saisonpreise: frmSaisonpreise::oeffnen(db, dialogs_, aufruf.zimmerNummer, eltern); return;
        case Ziel::Datensicherung: {
            SettingsStore settings;
            SystemShell shell;
            DatensicherungLogik logik(&db, dialogs_, settings, shell, v_.werte, sicherungsDateien(settings));
            // A restore replaced the files under the open main window: it is loaded anew.
            if (frmDatensicherung::oeffnen(logik, dialogs_, eltern)) v_.neustartNachWiederherstellung = true;
            return;
        }
        default: return;
    }
}

SicherungsDateien ProgrammFenster::sicherungsDateien(const SettingsStore& settings) const {
    SicherungsDateien d;
    d.arbeit = settings.getSetting(v_.werte.pfad);
    if (d.arbeit.isEmpty()) d.arbeit = v_.arbeitsPfad;
    d.zentral = settings.getSetting(v_.werte.zentral);
    d.beispiel = v_.beispielPfad.isEmpty() ? files::join(v_.programmordner, v_.dateien.sample) : v_.beispielPfad;
    d.programmordner = v_.programmordner;
    return d;
}

QString ProgrammFenster::datenSichern() {
    if (!v_.db) return {};
    SettingsStore settings;
    SystemShell shell;
    DatensicherungLogik logik(v_.db.get(), dialogs_, settings, shell, v_.werte, sicherungsDateien(settings));
    QString ordner;
    if (!datenbankGeschuetzt(dialogs_, QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), [&] {
            logik.laden();
            ordner = logik.datenbankenSichern();
        }))
        return {};
    return QDir::toNativeSeparators(ordner);
}

}  // namespace tav
