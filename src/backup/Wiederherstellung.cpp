#include "backup/Wiederherstellung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <filesystem>

#include "backup/clsDateien.h"
#include "engine/Database.h"
#include "engine/DatabaseError.h"

namespace tav {

namespace {

const QString kListe = QStringLiteral("Wiederherstellung.txt");

// Replaces ziel by quelle in one step (a rename within one file system).
void ersetzen(const QString& quelle, const QString& ziel) {
    std::error_code fehler;
    std::filesystem::rename(std::filesystem::path(quelle.toStdString()), std::filesystem::path(ziel.toStdString()), fehler);
    if (fehler) throw DatabaseError(QStringLiteral("Die Datei '%1' konnte nicht ersetzt werden.").arg(QDir::toNativeSeparators(ziel)));
}

// A journal left by a writer cut off in the middle belongs to the current file: it is rolled
// back into that file before the file is replaced, so that it can never be played into the
// restored one.
void journalAufloesen(const QString& datei) {
    if (!QFileInfo::exists(datei + QStringLiteral("-journal"))) return;
    try {
        auto db = Database::open(datei);
        db->scalar(QStringLiteral("SELECT Count(*) FROM MSysAccess"));
    } catch (const DatabaseError&) {}
    // A journal that still lies there cannot be played into anything sound any more.
    QFile::remove(datei + QStringLiteral("-journal"));
}

void tempEntfernen(const QString& temp) {
    QDir d(temp);
    if (d.exists()) d.removeRecursively();
}

}  // namespace

QString Wiederherstellung::tempOrdner(const QString& zentral) { return QFileInfo(zentral).absoluteDir().filePath(QStringLiteral("temp")); }

bool Wiederherstellung::fortsetzen(const QString& zentral) {
    const QString temp = tempOrdner(zentral);
    if (!QFileInfo(temp).isDir()) return false;
    QFile liste(QDir(temp).filePath(kListe));
    if (liste.open(QIODevice::ReadOnly)) {
        QTextStream in(&liste);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QStringList paar = in.readLine().split(QLatin1Char('\t'));
            if (paar.size() != 2) continue;
            // A copy that is no longer in "temp" has been renamed into place already.
            if (QFileInfo::exists(paar[0])) {
                journalAufloesen(paar[1]);
                ersetzen(paar[0], paar[1]);
            }
        }
        liste.close();
    }
    tempEntfernen(temp);
    return true;
}

QStringList Wiederherstellung::datenbanken(const QString& ordner, const SicherungsDateien& d) {
    fortsetzen(d.zentral);
    const QString temp = tempOrdner(d.zentral);
    if (!QDir().mkpath(temp))
        throw DatabaseError(QStringLiteral("Der Ordner '%1' kann nicht angelegt werden.").arg(QDir::toNativeSeparators(temp)));
    struct Paar {
        QString sicherung;
        QString kopie;
        QString ziel;
    };
    QList<Paar> paare{{QDir(ordner).filePath(QStringLiteral("Zentral.mdb")), QDir(temp).filePath(QStringLiteral("Zentral.mdb")), d.zentral},
                      {QDir(ordner).filePath(d.arbeitsName()), QDir(temp).filePath(QStringLiteral("Tavomera.mdb")), d.arbeit}};
    if (clsDateien::DateiVorhanden(ordner, QStringLiteral("Beispiel.mdb")))
        paare << Paar{QDir(ordner).filePath(QStringLiteral("Beispiel.mdb")), QDir(temp).filePath(QStringLiteral("Beispiel.mdb")),
                      d.beispiel};
    try {
        for (const Paar& p : paare) {
            Database::compact(p.sicherung, p.kopie);
            const QString problem = Database::integrityProblem(p.kopie);
            if (!problem.isEmpty())
                throw DatabaseError(
                    QStringLiteral("Die Sicherung '%1' ist fehlerhaft: %2").arg(QDir::toNativeSeparators(p.sicherung), problem));
        }
        // A rename replaces a file only within its own folder's file system: a copy for a file
        // in another folder waits beside that file.
        for (Paar& p : paare) {
            if (QFileInfo(p.ziel).absolutePath() == QFileInfo(temp).absolutePath()) continue;
            const QString daneben = p.ziel + QStringLiteral(".temp");
            QFile::remove(daneben);
            if (!QFile::copy(p.kopie, daneben))
                throw DatabaseError(QStringLiteral("Die Datei '%1' kann nicht geschrieben werden.").arg(QDir::toNativeSeparators(daneben)));
            p.kopie = daneben;
        }
        // The list is written in one piece; from here on the restore is finished even when it
        // is cut off.
        QSaveFile liste(QDir(temp).filePath(kListe));
        if (!liste.open(QIODevice::WriteOnly))
            throw DatabaseError(
                QStringLiteral("Die Datei '%1' kann nicht geschrieben werden.").arg(QDir::toNativeSeparators(liste.fileName())));
        for (const Paar& p : paare)
            liste.write((p.kopie + QLatin1Char('\t') + QFileInfo(p.ziel).absoluteFilePath() + QLatin1Char('\n')).toUtf8());
        if (!liste.commit())
            throw DatabaseError(
                QStringLiteral("Die Datei '%1' kann nicht geschrieben werden.").arg(QDir::toNativeSeparators(liste.fileName())));
    } catch (...) {
        for (const Paar& p : paare)
            if (p.kopie.endsWith(QLatin1String(".mdb.temp"))) QFile::remove(p.kopie);
        tempEntfernen(temp);
        throw;
    }
    fortsetzen(d.zentral);
    QStringList ersetzt;
    for (const Paar& p : paare) ersetzt << p.ziel;
    return ersetzt;
}

void Wiederherstellung::dokumente(const QString& ordner, const QStringList& namen, const QString& programmordner) {
    for (const QString& name : namen) {
        const QString quelle = QDir(ordner).filePath(name);
        const QString ziel = QDir(programmordner).filePath(name);
        const QString neu = ziel + QStringLiteral(".neu");
        QFile::remove(neu);
        if (!QFile::copy(quelle, neu))
            throw DatabaseError(
                QStringLiteral("Die Datei '%1' konnte nicht wiederhergestellt werden.").arg(QDir::toNativeSeparators(ziel)));
        ersetzen(neu, ziel);
    }
}

}  // namespace tav
