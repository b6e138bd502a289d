#include "backup/Datensicherung.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "backup/clsDateien.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Registrierung.h"

namespace tav {

namespace {

// Failures that another try can cure once the other workstations let go of the files.
bool istZugriff(int code) {
    const int c = code & 0xFF;
    return DatabaseError::isLockCode(code) || c == SQLITE_CANTOPEN || c == SQLITE_PERM || c == SQLITE_READONLY || c == SQLITE_AUTH;
}

QString ohneDateiname(const QString& wert) {
    const qsizetype i = std::max(wert.lastIndexOf(QLatin1Char('\\')), wert.lastIndexOf(QLatin1Char('/')));
    return i < 0 ? QString() : wert.left(i + 1);
}

QString mitTrenner(QString p) {
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p.endsWith(QLatin1Char('/')) ? p : p + QLatin1Char('/');
}

// The program waits this long for the copy program of the family.
constexpr int kKopierprogrammMs = 10 * 60 * 1000;

}  // namespace

QString SicherungsDateien::arbeitsName() const { return QFileInfo(arbeit).fileName(); }

Datensicherung::Datensicherung(SicherungsDateien dateien, Dialogs& dialogs, const Shell& shell)
    : d_(std::move(dateien)), dialogs_(dialogs), shell_(shell) {}

QString Datensicherung::kopierprogramm(const QString& programmordner) { return files::join(programmordner, QStringLiteral("Gavrol.exe")); }

QString Datensicherung::wurzelAus(const QString& excelWert, const QString& programmordner) {
    const QString standard = mitTrenner(programmordner) + QStringLiteral("Sicherungen/");
    // The value may have been written with "\" separators on another system.
    const QString ordner = ohneDateiname(QString(excelWert.trimmed()).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (ordner.isEmpty()) return standard;
    if (QDir::cleanPath(ordner) == QDir::cleanPath(programmordner)) return standard;
    return mitTrenner(ordner);
}

QString Datensicherung::wurzel(SettingsStore& settings, const RegistryNamen& werte, const QString& programmordner) {
    const QString wert = settings.getSetting(werte.excel);
    if (wert.trimmed().isEmpty()) {
        const QString standard = wurzelAus({}, programmordner);
        settings.saveSetting(werte.excel, QDir::toNativeSeparators(standard));
        return standard;
    }
    return wurzelAus(wert, programmordner);
}

void Datensicherung::datenbankenKopieren(const SicherungsDateien& d, const QString& ordner) {
    const QStringList quellen{d.arbeit, d.zentral, d.beispiel};
    const QStringList ziele = clsDateien::datenbankNamen(d.arbeitsName());
    for (int i = 0; i < quellen.size(); ++i) {
        const QString ziel = QDir(ordner).filePath(ziele[i]);
        Database::backup(quellen[i], ziel);
        // The copy holds the file's pages as they were: a sound copy means a sound file. A
        // damaged one is repaired where it can be and copied once more. The quick check reads
        // every page and record; the comparison of every index with its table is left to the
        // restore, which checks fully before it replaces anything.
        QString problem = Database::quickCheckProblem(ziel);
        if (!problem.isEmpty() && i < 2) {
            QFile::remove(ziel);
            try {
                Database::repair(quellen[i]);
            } catch (const DatabaseError&) {}
            Database::backup(quellen[i], ziel);
            problem = Database::quickCheckProblem(ziel);
        }
        if (!problem.isEmpty())
            throw DatabaseError(QStringLiteral("Die Sicherung '%1' ist fehlerhaft: %2").arg(QDir::toNativeSeparators(ziel), problem));
    }
}

QString Datensicherung::sichern(SicherungsArt art) {
    fehler_.clear();
    try {
        return lauf(art);
    } catch (const DatabaseError& e) {
        fehler_ = e.reason();
        return istZugriff(e.code()) ? kZugriff : QString();
    }
}

QString Datensicherung::lauf(SicherungsArt art) {
    const QString root = mitTrenner(d_.wurzel);
    if (!QDir().mkpath(root)) {
        fehler_ = QStringLiteral("Der Ordner '%1' kann nicht angelegt werden.").arg(QDir::toNativeSeparators(root));
        return {};
    }
    if (art != SicherungsArt::Datenbank) {
        if (dialogs_.message(QStringLiteral("Bitte schließen Sie zum Sichern der Word-Dokumente zunächst das Programm 'Microsoft Word'."),
                             {}, Buttons::OkCancel, Icon::Exclamation) != Answer::Ok)
            return {};
    }
    const QString praefix = art == SicherungsArt::Datenbank ? QStringLiteral("DB")
                            : art == SicherungsArt::Word    ? QStringLiteral("WO")
                                                            : QStringLiteral("DW");
    const QString ziel = clsDateien::Ordner(root, praefix, Clock::current().now());
    const QString name = QFileInfo(ziel).fileName();
    const QString unfertig = root + clsDateien::unfertigerName(name);
    if (!clsDateien::OrdnerAnlegen(root, clsDateien::unfertigerName(name))) {
        dialogs_.message(QStringLiteral("Fehler beim Anlegen des Systemordners ") + QDir::toNativeSeparators(ziel) +
                         QStringLiteral(". Bitte wenden Sie sich an den Hersteller der Software."));
        return {};
    }
    bool fertig = false;
    struct Aufraeumen {
        const QString& ordner;
        const bool& fertig;
        ~Aufraeumen() {
            if (!fertig) clsDateien::OrdnerLoeschen(ordner);
        }
    } aufraeumen{unfertig, fertig};

    if (art != SicherungsArt::Datenbank) {
        for (const QString& doc : files::findFiles(d_.programmordner, QStringLiteral("*.doc"))) {
            if (!files::copyFile(files::join(d_.programmordner, doc), files::join(unfertig, doc))) {
                fehler_ = QStringLiteral("Das Dokument '%1' konnte nicht gesichert werden.").arg(doc);
                return {};
            }
        }
    }
    if (art != SicherungsArt::Word) {
        const QString programm = kopierprogramm(d_.programmordner);
        if (shell_.programExists(programm)) {
            QProcess p;
            p.start(Shell::programPath(programm), {QStringLiteral("Tavomera"), d_.arbeit, unfertig});
            if (!p.waitForFinished(kKopierprogrammMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
                p.kill();
                fehler_ = QString::fromUtf8(p.readAllStandardError()).trimmed();
                return p.exitCode() == 2 ? kZugriff : QString();
            }
            if (!clsDateien::ALleDBsVorhanden(unfertig, d_.arbeitsName())) return {};
        } else {
            datenbankenKopieren(d_, unfertig);
        }
    }
    if (!QDir().rename(unfertig, ziel)) {
        fehler_ = QStringLiteral("Der Ordner '%1' kann nicht angelegt werden.").arg(QDir::toNativeSeparators(ziel));
        return {};
    }
    fertig = true;
    return mitTrenner(ziel);
}

}  // namespace tav
