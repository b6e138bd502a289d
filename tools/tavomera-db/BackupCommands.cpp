#include "BackupCommands.h"

#include <QDir>
#include <QFileInfo>

#include "backup/DatensicherungLogik.h"
#include "backup/Wiederherstellung.h"
#include "backup/clsDateien.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Datenbankdateien.h"

namespace tav::cli {

namespace {

// Messages go to the error stream; every question is answered with its safe button.
class KonsolenDialoge final : public Dialogs {
public:
    explicit KonsolenDialoge(QTextStream& err) : err_(err) {}

protected:
    Answer showMessage(const MessageRequest& r) override {
        err_ << r.text << '\n';
        switch (r.buttons) {
            case Buttons::Ok:
            case Buttons::OkCancel: return Answer::Ok;
            case Buttons::YesNo:
            case Buttons::YesNoCancel: return Answer::No;
            case Buttons::RetryCancel: return Answer::Cancel;
        }
        return Answer::Cancel;
    }
    QString showInput(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    QTextStream& err_;
};

// The files of the installation in ordner: the settings "Pfad" and "Zentral" when they are set,
// else the files of the folder.
SicherungsDateien dateienVon(const QString& ordner, const SettingsStore& settings, const RegistryNamen& werte) {
    const auto namen = dbfiles::FileNames::forInstance(0);
    SicherungsDateien d;
    d.programmordner = QFileInfo(ordner).absoluteFilePath();
    d.arbeit = settings.getSetting(werte.pfad);
    if (d.arbeit.isEmpty()) d.arbeit = QDir(d.programmordner).filePath(namen.working);
    d.zentral = settings.getSetting(werte.zentral);
    if (d.zentral.isEmpty()) d.zentral = QDir(d.programmordner).filePath(namen.central);
    d.beispiel = QDir(d.programmordner).filePath(namen.sample);
    return d;
}

}  // namespace

bool backupCommand(const QStringList& args, QTextStream& out, QTextStream& err, int& rc) {
    const QString command = args.value(1);
    if (command != QLatin1String("backup") && command != QLatin1String("backups") && command != QLatin1String("restore")) return false;
    QStringList positional;
    QString root;
    bool ohneSicherung = false;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--root") && i + 1 < args.size())
            root = args[++i];
        else if (args[i] == QLatin1String("--ohne-vorherige-sicherung"))
            ohneSicherung = true;
        else
            positional << args[i];
    }
    const qsizetype noetig = command == QLatin1String("restore") ? 2 : 1;
    if (positional.size() != noetig) {
        err << "Aufruf: tavomera-db backup ORDNER [--root SICHERUNGEN] | backups ORDNER [--root SICHERUNGEN] | restore ORDNER "
               "SICHERUNGSORDNER [--ohne-vorherige-sicherung]\n";
        rc = 2;
        return true;
    }
    KonsolenDialoge dialogs(err);
    SettingsStore settings;
    const RegistryNamen werte = RegistryNamen::forInstance(0);
    SystemShell shell;
    SicherungsDateien d = dateienVon(positional[0], settings, werte);
    try {
        std::unique_ptr<Database> db = Database::open(d.arbeit);
        DatensicherungLogik logik(db.get(), dialogs, settings, shell, werte, d);
        logik.laden();
        if (!root.isEmpty()) {
            logik.pfadText = root;
            logik.pfadSpeichern();
        }
        d.wurzel = logik.wurzel();
        if (command == QLatin1String("backups")) {
            for (const SicherungsEintrag& e : logik.liste())
                out << e.name << '\t' << e.text << '\t' << (e.alleDbs ? "Datenbanken" : "") << '\n';
            rc = 0;
            return true;
        }
        if (command == QLatin1String("backup")) {
            db.reset();
            const QString ordner = logik.datenbankenSichern();
            if (ordner.isEmpty() || ordner == Datensicherung::kZugriff) {
                err << "Die Datensicherung konnte nicht durchgeführt werden." << (logik.fehler().isEmpty() ? "" : " ") << logik.fehler()
                    << '\n';
                rc = ordner.isEmpty() ? 1 : 3;
                return true;
            }
            out << QDir::toNativeSeparators(ordner) << '\n';
            rc = 0;
            return true;
        }
        // restore: the folder by its name below the root, or as a path.
        QString quelle = positional[1];
        if (!QFileInfo(quelle).isDir()) quelle = QDir(d.wurzel).filePath(positional[1]);
        for (const QString& name : {d.arbeitsName(), QStringLiteral("Zentral.mdb")}) {
            if (!clsDateien::DateiVorhanden(quelle, name)) {
                err << "Die Datenbank '" << name << "' konnte nicht gefunden werden. Eine Wiederherstellung ist nicht möglich.\n";
                rc = 1;
                return true;
            }
        }
        db.reset();
        if (!ohneSicherung) {
            const QString vorher = logik.datenbankenSichern();
            if (vorher.isEmpty() || vorher == Datensicherung::kZugriff) {
                err << "Die Datensicherung der aktuellen Daten konnte nicht durchgeführt werden; es wurde nichts wiederhergestellt. "
                    << logik.fehler() << '\n';
                rc = 1;
                return true;
            }
            out << "Die aktuellen Daten wurden gesichert nach " << QDir::toNativeSeparators(vorher) << '\n';
        }
        Wiederherstellung::datenbanken(quelle, d);
        out << "Die Daten wurden wiederhergestellt.\n";
        rc = 0;
    } catch (const DatabaseError& e) {
        err << "Fehler: " << e.reason() << '\n';
        rc = 1;
    }
    return true;
}

}  // namespace tav::cli
