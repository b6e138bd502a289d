#include "backup/DatensicherungLogik.h"

#include <QDir>
#include <QFileInfo>

#include "backup/Wiederherstellung.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Parameter.h"

namespace tav {

namespace {

const QString kTitel = QStringLiteral("Datensicherung");

bool nurZiffern(const QString& t) {
    if (t.isEmpty()) return false;
    for (QChar c : t)
        if (!c.isDigit()) return false;
    return true;
}

}  // namespace

DatensicherungLogik::DatensicherungLogik(Database* parameterDb, Dialogs& dialogs, SettingsStore& settings, Shell& shell,
                                         RegistryNamen werte, SicherungsDateien dateien)
    : db_(parameterDb), dialogs_(dialogs), settings_(settings), shell_(shell), werte_(std::move(werte)), d_(std::move(dateien)) {}

int DatensicherungLogik::gespeicherteAnzahl() const {
    const int n = gespeicherteAnzahl_.toInt();
    return n > 0 ? n : 10;
}

void DatensicherungLogik::laden() {
    gespeicherteAnzahl_ = QStringLiteral("10");
    if (db_) {
        Parameter p(*db_);
        if (const auto row = p.read(QStringLiteral("AnzSicherung")); row && !row->text(1).isEmpty())
            gespeicherteAnzahl_ = row->text(1);
        else
            p.write(QStringLiteral("AnzSicherung"), {{1, QStringLiteral("10")}});
    }
    anzahlText = gespeicherteAnzahl_;
    d_.wurzel = Datensicherung::wurzel(settings_, werte_, d_.programmordner);
    pfadText = QDir::toNativeSeparators(d_.wurzel);
    gespeicherterPfad_ = pfadText;
    Wiederherstellung::fortsetzen(d_.zentral);
    clsDateien::LeereSichOrdnerLoeschen(d_.wurzel, Clock::current().now());
    auffrischen();
}

void DatensicherungLogik::auffrischen() { liste_ = clsDateien::VerzeichnisseEinlesen(d_.wurzel, d_.arbeitsName()); }

void DatensicherungLogik::rotieren() {
    clsDateien::DS_Loeschen(d_.wurzel, gespeicherteAnzahl(), dialogs_, d_.arbeitsName());
    auffrischen();
}

QString DatensicherungLogik::sichern(SicherungsArt art) {
    Wiederherstellung::fortsetzen(d_.zentral);
    Datensicherung lauf(d_, dialogs_, shell_);
    const QString ergebnis = lauf.sichern(art);
    fehler_ = lauf.fehler();
    return ergebnis;
}

QString DatensicherungLogik::datenbankenSichern() {
    const QString ordner = sichern(SicherungsArt::Datenbank);
    rotieren();
    return ordner;
}

void DatensicherungLogik::pfadSpeichern() {
    QString text = QDir::fromNativeSeparators(pfadText.trimmed());
    if (!text.endsWith(QLatin1Char('/'))) text += QLatin1Char('/');
    d_.wurzel = Datensicherung::wurzelAus(text, d_.programmordner);
    settings_.saveSetting(werte_.excel, QDir::toNativeSeparators(d_.wurzel));
    pfadText = QDir::toNativeSeparators(d_.wurzel);
    gespeicherterPfad_ = pfadText;
    auffrischen();
}

void DatensicherungLogik::dbSichern() {
    if (pfadText != gespeicherterPfad_ &&
        dialogs_.message(QStringLiteral("Möchten Sie den geänderten Pfad für die Datensicherung speichern?"), kTitel, Buttons::YesNo,
                         Icon::Question) == Answer::Yes)
        pfadSpeichern();
    const QString ordner = sichern(SicherungsArt::Datenbank);
    if (ordner.isEmpty() || ordner == Datensicherung::kZugriff)
        dialogs_.message(QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), {}, Buttons::Ok, Icon::Exclamation);
    else
        dialogs_.message(
            QStringLiteral("Die Daten wurden erfolgreich gesichert nach ") + QDir::toNativeSeparators(ordner) + QStringLiteral("."),
            kTitel);
    rotieren();
}

void DatensicherungLogik::wordSichern() {
    if (pfadText != gespeicherterPfad_ &&
        dialogs_.message(QStringLiteral("Möchten Sie den geänderten Pfad für die Datensicherung speichern?"), kTitel, Buttons::YesNo,
                         Icon::Question) == Answer::Yes)
        pfadSpeichern();
    const QString ordner = sichern(SicherungsArt::Word);
    if (ordner.isEmpty() || ordner == Datensicherung::kZugriff)
        dialogs_.message(QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), {}, Buttons::Ok, Icon::Exclamation);
    else
        dialogs_.message(QStringLiteral("Die Word-Dokumente wurden erfolgreich gesichert nach ") + QDir::toNativeSeparators(ordner) +
                             QStringLiteral("."),
                         kTitel);
    rotieren();
}

void DatensicherungLogik::komplett() {
    if (dialogs_.message(QStringLiteral("Datensicherung jetzt durchführen?"), {}, Buttons::YesNo, Icon::Question) != Answer::Yes) return;
    const QString word = sichern(SicherungsArt::Word);
    if (word.isEmpty() || word == Datensicherung::kZugriff)
        dialogs_.message(QStringLiteral("Die Datensicherung der Word-Dokumente konnte nicht durchgeführt werden."), {}, Buttons::Ok,
                         Icon::Exclamation);
    else
        dialogs_.message(QStringLiteral("Die Word-Dokumente wurden erfolgreich gesichert nach ") + QDir::toNativeSeparators(word) +
                         QStringLiteral("."));
    const QString db = sichern(SicherungsArt::Datenbank);
    if (db.isEmpty() || db == Datensicherung::kZugriff)
        dialogs_.message(QStringLiteral("Die Datensicherung der Datenbanken konnte nicht durchgeführt werden."), {}, Buttons::Ok,
                         Icon::Exclamation);
    else
        dialogs_.message(QStringLiteral("Die Datenbanken wurden erfolgreich gesichert nach ") + QDir::toNativeSeparators(db) +
                         QStringLiteral("."));
    rotieren();
}

bool DatensicherungLogik::pfadWaehlen() {
    const QString datei = dialogs_.openFile(QStringLiteral("Datenbankpfad wählen"), QStringLiteral("Alle Dateien (*.*)|*.*|"),
                                            QDir::fromNativeSeparators(pfadText));
    if (datei.isEmpty()) return false;
    // The file name is a placeholder ("Nicht ausfüllen"): only its folder counts.
    pfadText = QDir::toNativeSeparators(QFileInfo(datei).absolutePath() + QStringLiteral("/Sicherungen "));
    return true;
}

void DatensicherungLogik::anzahlPruefen() {
    if (anzahlText == QLatin1String("0")) {
        anzahlText = QStringLiteral("10");
        return;
    }
    if (nurZiffern(anzahlText)) return;
    const QString neu = dialogs_.input(QStringLiteral("Bitte geben Sie die Anzahl der zu speichernden Datensicherungen an"), kTitel, {});
    if (nurZiffern(neu))
        anzahlText = neu.toInt() == 0 ? QStringLiteral("10") : neu;
    else
        anzahlText = gespeicherteAnzahl_;
}

void DatensicherungLogik::anzahlSpeichern() {
    anzahlPruefen();
    if (db_) Parameter(*db_).write(QStringLiteral("AnzSicherung"), {{1, anzahlText}});
    gespeicherteAnzahl_ = anzahlText;
}

QString DatensicherungLogik::ordnerVon(int index) const {
    if (index < 0 || index >= liste_.size()) return {};
    return QDir(d_.wurzel).filePath(liste_[index].name);
}

QStringList DatensicherungLogik::inhalt(int index) const {
    const QString ordner = ordnerVon(index);
    return ordner.isEmpty() ? QStringList() : QDir(ordner).entryList(QDir::Files, QDir::Name);
}

bool DatensicherungLogik::vorSicherungFehlgeschlagen(const QString& ergebnis) {
    if (ergebnis == Datensicherung::kZugriff) {
        dialogs_.message(
            QStringLiteral("Es sind Probleme beim Zugriff auf die Dateien aufgetreten. Schließen Sie auf allen Computern (bis auf "
                           "diesen) den Tavomera und versuchen es dann noch einemal. Unter Umständen ist ein Neustart aller "
                           "Computer nötig."),
            {}, Buttons::Ok, Icon::Critical);
        return true;
    }
    if (!ergebnis.isEmpty()) return false;
    return dialogs_.message(
               QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. Möchten Sie die Wiederherstellung trotzdem "
                              "durhführen?") +
                   QStringLiteral("Die aktuellen Daten gehen bei diesem Vorgang verloren."),
               {}, Buttons::YesNo, Icon::Critical, 2) != Answer::Yes;
}

void DatensicherungLogik::wiederherstellen(int index, bool datenbanken) {
    const QString ordner = ordnerVon(index);
    if (ordner.isEmpty()) {
        dialogs_.message(QStringLiteral("Wählen Sie zunächst die Datensicherung aus, die wiederhergestellt werden soll."));
        return;
    }
    const QString datum = liste_[index].zeit.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    if (datenbanken) {
        for (const QString& name : {d_.arbeitsName(), QStringLiteral("Zentral.mdb")}) {
            if (!clsDateien::DateiVorhanden(ordner, name)) {
                dialogs_.message(QStringLiteral("Die Datenbank '") + name +
                                 QStringLiteral("' konnte nicht gefunden werden. Eine Wiederherstellung ist nicht möglich."));
                return;
            }
        }
        if (dialogs_.message(QStringLiteral("Dieser Vorgang führt eine Datensicherung der aktuellen Daten durch und stellt danach den "
                                            "gewünschten alten Datenbestand ") +
                                 QStringLiteral("vom ") + datum + QStringLiteral(" wieder her.") + QLatin1Char('\n') +
                                 QStringLiteral("Möchen Sie den Vorgang fortsetzen?"),
                             QStringLiteral("Wiederherstellung eines alten Datenbestandes"), Buttons::YesNo, Icon::Critical) != Answer::Yes)
            return;
        if (vorSicherungFehlgeschlagen(sichern(SicherungsArt::Datenbank))) {
            auffrischen();
            return;
        }
        try {
            Wiederherstellung::datenbanken(ordner, d_);
        } catch (const DatabaseError& e) {
            dialogs_.message(QStringLiteral("Die Wiederherstellung ist fehlgeschlagen.") + QLatin1Char('\n') + e.reason(), {}, Buttons::Ok,
                             Icon::Exclamation);
            auffrischen();
            return;
        }
        neustart_ = true;
        dialogs_.message(QStringLiteral("Die Daten wurden wiederhergestellt. Das Datenbankupdate wird gestartet."));
        // Without the update program the restart of the main window brings the restored files
        // up to date, as every start does.
        const QString update = files::join(d_.programmordner, QStringLiteral("Wernic.exe"));
        if (shell_.programExists(update)) shell_.startProgram(update, {QStringLiteral("KeinWord")});
    } else {
        const QStringList docs = files::findFiles(ordner, QStringLiteral("*.doc"));
        if (docs.isEmpty()) {
            dialogs_.message(QStringLiteral("Dieser Ordner enthält keine Word-Dokumente."));
            return;
        }
        if (dialogs_.message(
                QStringLiteral("Dieser Vorgang führt eine Datensicherung der aktuellen Word-Dateien durch und kopiert danach die "
                               "Word-Dateien der Datensicherung ") +
                    QStringLiteral("vom ") + datum + QStringLiteral(" in den Ordner des Tavomeras."),
                QStringLiteral("Widerherstellung von Word-Vorlagen"), Buttons::YesNo, Icon::Question) != Answer::Yes)
            return;
        if (vorSicherungFehlgeschlagen(sichern(SicherungsArt::Word))) {
            auffrischen();
            return;
        }
        try {
            Wiederherstellung::dokumente(ordner, docs, d_.programmordner);
        } catch (const DatabaseError& e) {
            dialogs_.message(QStringLiteral("Die Wiederherstellung ist fehlgeschlagen.") + QLatin1Char('\n') + e.reason(), {}, Buttons::Ok,
                             Icon::Exclamation);
            auffrischen();
            return;
        }
        dialogs_.message(QStringLiteral("Die Daten wurden wiederhergestellt."));
    }
    auffrischen();
}

void DatensicherungLogik::einzelneWiederherstellen(int index, const QStringList& dateien) {
    QStringList docs;
    for (const QString& f : dateien)
        if (f.endsWith(QLatin1String(".doc"), Qt::CaseInsensitive)) docs << f;
    if (docs.isEmpty() || ordnerVon(index).isEmpty()) {
        dialogs_.message(QStringLiteral("Es wurden keine Word-Dateien gewählt."));
        return;
    }
    if (dialogs_.message(QStringLiteral("Möchten Sie die gewählten Dateien wiederherstellen?"), {}, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return;
    try {
        Wiederherstellung::dokumente(ordnerVon(index), docs, d_.programmordner);
    } catch (const DatabaseError& e) {
        dialogs_.message(QStringLiteral("Die Wiederherstellung ist fehlgeschlagen.") + QLatin1Char('\n') + e.reason(), {}, Buttons::Ok,
                         Icon::Exclamation);
        return;
    }
    dialogs_.message(QStringLiteral("Die Dateien wurden wiederhergestellt."));
}

void DatensicherungLogik::ordnerLoeschen(int index) {
    const QString ordner = ordnerVon(index);
    if (ordner.isEmpty()) return;
    if (dialogs_.message(QStringLiteral("Möchten Sie diesen Ordner löschen?"), QStringLiteral("Datensicherungen löschen"), Buttons::YesNo,
                         Icon::Question) != Answer::Yes)
        return;
    if (!clsDateien::OrdnerLoeschen(ordner))
        dialogs_.message(QStringLiteral("Der Ordner ") + liste_[index].name + QStringLiteral(" konnte nicht gelöscht werden."));
    auffrischen();
}

void DatensicherungLogik::schliessen() {
    if (pfadText == gespeicherterPfad_ && anzahlText == gespeicherteAnzahl_) return;
    if (dialogs_.message(QStringLiteral("Änderungen speichern?"), QStringLiteral("Kontrolle"), Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return;
    if (pfadText != gespeicherterPfad_) pfadSpeichern();
    if (anzahlText != gespeicherteAnzahl_) anzahlSpeichern();
}

}  // namespace tav
