#include "startup/mdAccessVerknuepfung.h"

#include <QDir>
#include <QFileInfo>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/FileCare.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"

namespace tav {

mdAccessVerknuepfung::mdAccessVerknuepfung(Variablen& v, Dialogs& dialogs, SettingsStore& settings, QString programmordner,
                                           QString dateiname)
    : v_(v), dialogs_(dialogs), settings_(settings), programmordner_(std::move(programmordner)), dateiname_(std::move(dateiname)) {}

int mdAccessVerknuepfung::instanzAus(const QString& dateiname) {
    // The name as typed, without folder and extension ("C:\Programme\2Tavomera.exe" -> "2Tavomera").
    QString name = dateiname;
    const qsizetype slash = qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    name = name.mid(slash + 1);
    if (const qsizetype dot = name.lastIndexOf(QLatin1Char('.')); dot > 0) name = name.left(dot);
    qsizetype n = 0;
    while (n < name.size() && name[n] >= QLatin1Char('0') && name[n] <= QLatin1Char('9')) ++n;
    if (n == 0) return 0;
    bool ok = false;
    const int value = name.left(qMin<qsizetype>(n, 9)).toInt(&ok);
    return ok ? value : 0;
}

QString mdAccessVerknuepfung::linkPfad() const { return files::join(programmordner_, v_.dateien.link); }

bool mdAccessVerknuepfung::instanzFestlegen() {
    const int instanz = instanzAus(dateiname_);
    if (instanz >= 3) {
        dialogs_.message(QStringLiteral("Unzulässiger Dateiname"));
        return false;
    }
    v_.instanz = instanz;
    v_.dateien = dbfiles::FileNames::forInstance(instanz);
    v_.werte = RegistryNamen::forInstance(instanz);
    v_.programmordner = programmordner_;
    v_.blockProgramm = QStringLiteral("Tosmek.exe");
    return true;
}

bool mdAccessVerknuepfung::verknuepfungIstGueltig(const QString& arbeitsPfad, const QString& zentralPfad) const {
    return verknuepfung::pruefeVerknuepfung(linkPfad()) && verknuepfung::zeigtAuf(linkPfad(), arbeitsPfad, zentralPfad);
}

mdAccessVerknuepfung::Weiter mdAccessVerknuepfung::start() {
    if (!instanzFestlegen()) return Weiter::Ende;

    const QString zentral = settings_.getSetting(v_.werte.zentral);
    const QString arbeit = settings_.getSetting(v_.werte.pfad);
    settings_.saveSetting(v_.werte.lokalDB, linkPfad());
    for (const QString& pfad : {linkPfad(), arbeit, zentral})
        if (!pfad.isEmpty()) filecare::removeStaleSuperJournals(QFileInfo(pfad).absolutePath());
    for (;;) {
        using verknuepfung::Pruefung;
        const Pruefung z = verknuepfung::pruefeDatei(zentral, QStringLiteral("tblBelegung"));
        const Pruefung a = verknuepfung::pruefeDatei(arbeit, QStringLiteral("tblTarife"));
        QString gesperrt = z == Pruefung::Gesperrt ? zentral : a == Pruefung::Gesperrt ? arbeit : QString();
        if (z == Pruefung::Gut && a == Pruefung::Gut) {
            const Pruefung l = verknuepfung::pruefeVerknuepfungsdatei(linkPfad());
            if (l == Pruefung::Gut && verknuepfung::zeigtAuf(linkPfad(), arbeit, zentral)) return schreibschutzMelden(arbeit, zentral);
            if (l == Pruefung::Gesperrt)
                gesperrt = linkPfad();
            else if (verbindenUndNeuVerknuepfen(arbeit, zentral))
                return schreibschutzMelden(arbeit, zentral);
        }
        if (gesperrt.isEmpty()) break;
        // A lock is no reason to set the paths anew: the files are there, another workstation
        // (a backup, a clean-up) holds one of them. The stored paths stay as they are.
        const Answer antwort =
            dialogs_.message(QStringLiteral("Die Datenbank '%1' wird gerade von einem anderen Arbeitsplatz benutzt (zum Beispiel für eine "
                                            "Datensicherung). Möchten Sie es noch einmal versuchen?")
                                 .arg(QDir::toNativeSeparators(gesperrt)),
                             {}, Buttons::RetryCancel, Icon::Exclamation);
        if (antwort != Answer::Retry) return Weiter::Ende;
    }

    datenbankenReparieren();
    const Answer a = dialogs_.message(
        QStringLiteral("Die Datenbankpfade sind nicht korrekt oder die Verbindung des Netzwerkes steht nicht mehr zur Verfügung. "
                       "Möchten Sie die Datenbankpfade zu den Quelldatenbanken neu einrichten?"),
        {}, Buttons::OkCancel, Icon::Question);
    if (a != Answer::Ok) return Weiter::Ende;
    settings_.deleteSection();
    settings_.saveSetting(v_.werte.beispielPfad, files::join(programmordner_, v_.dateien.sample));
    return Weiter::Datenbankdialog;
}

mdAccessVerknuepfung::Weiter mdAccessVerknuepfung::schreibschutzMelden(const QString& arbeitsPfad, const QString& zentralPfad) {
    // Said once at the start, not at the first save that fails: the data can still be looked at.
    for (const QString& pfad : {zentralPfad, arbeitsPfad, linkPfad()}) {
        if (!filecare::isReadOnly(pfad)) continue;
        dialogs_.message(QStringLiteral("Die Datenbank '%1' ist schreibgeschützt. Sie können die Daten ansehen, aber nichts "
                                        "speichern. Bitte prüfen Sie die Zugriffsrechte der Datei und ihres Ordners.")
                             .arg(QDir::toNativeSeparators(pfad)),
                         {}, Buttons::Ok, Icon::Exclamation);
        break;
    }
    return Weiter::Hauptfenster;
}

bool mdAccessVerknuepfung::verbindenUndNeuVerknuepfen(const QString& arbeitsPfad, const QString& zentralPfad) {
    if (verknuepfungIstGueltig(arbeitsPfad, zentralPfad)) return false;
    if (!verknuepfung::pruefeZentrale(zentralPfad) || !verknuepfung::pruefeArbeitsdatenbank(arbeitsPfad)) return false;
    try {
        if (!QFileInfo::exists(linkPfad())) {
            dbfiles::createLinkDatabase(linkPfad(), arbeitsPfad, zentralPfad);
        } else {
            auto link = Database::open(linkPfad());
            verknuepfung::alleNeuVerknuepfen(*link, arbeitsPfad, zentralPfad, v_.dateien.sample);
        }
    } catch (const DatabaseError& e) {
        dialogs_.message(e.message(), {}, Buttons::Ok, Icon::Information);
        return false;
    }
    settings_.saveSetting(v_.werte.pfad, arbeitsPfad);
    settings_.saveSetting(v_.werte.excel, files::join(files::join(programmordner_, QStringLiteral("Sicherungen")), v_.dateien.working));
    settings_.saveSetting(v_.werte.zentral, zentralPfad);
    return true;
}

void mdAccessVerknuepfung::datenbankenReparieren() {
    const QString beispiel = settings_.getSetting(v_.werte.beispielPfad);
    QStringList pfade = {settings_.getSetting(v_.werte.pfad), settings_.getSetting(v_.werte.zentral), beispiel};
    // The link database next to the sample database: the last 12 characters ("Beispiel.mdb")
    // replaced by the link database's file name.
    if (beispiel.size() >= 12) pfade << beispiel.left(beispiel.size() - 12) + v_.dateien.link;
    for (const QString& p : pfade) {
        if (p.isEmpty()) continue;
        try {
            Database::repair(p);
        } catch (const DatabaseError&) {}
    }
}

}  // namespace tav

namespace tav {

QStringList mdAccessVerknuepfung::standardwerteEintragen(SettingsStore& settings, const QString& programmordner, int instanz) {
    const RegistryNamen werte = RegistryNamen::forInstance(instanz);
    const dbfiles::FileNames dateien = dbfiles::FileNames::forInstance(instanz);
    const QList<QPair<QString, QString>> vorgaben = {
        {werte.pfad, files::join(programmordner, dateien.working)},
        {werte.zentral, files::join(programmordner, dateien.central)},
        {werte.excel, files::join(files::join(programmordner, QStringLiteral("Sicherungen")), dateien.working)},
    };
    QStringList geschrieben;
    for (const auto& [name, wert] : vorgaben) {
        if (!settings.getSetting(name).isEmpty()) continue;
        settings.saveSetting(name, wert);
        geschrieben << name;
    }
    return geschrieben;
}

}  // namespace tav
