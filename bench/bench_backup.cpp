// Benchmarks of the backup on the generated 70-room hotel (10 and 30 years):
//   backup.Datenbanksicherung/platte   one database backup run as the backup window, the closing
//                                      question and the admin tool start it: the check of the
//                                      working and central file, the online copy of the working,
//                                      central and sample database into a new folder on the
//                                      disk, the check of each copy and the rename of the folder
//                                      (goal ≤ 2 s). The counter "MB" is the size of the folder.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "GeneratedSet.h"
#include "backup/Datensicherung.h"
#include "backup/clsDateien.h"
#include "engine/Database.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

using namespace tav;

static void Datenbanksicherung(benchmark::State& state) {
    const bench::GeneratedSet& set = bench::GeneratedSet::instance();
    // The backups go beside the cached set: the same disk.
    QTemporaryDir wurzel(QDir(set.folder()).absoluteFilePath(QStringLiteral("../sicherung-XXXXXX")));
    SicherungsDateien d;
    d.arbeit = set.file(QStringLiteral("Tavomera.mdb"));
    d.zentral = set.file(QStringLiteral("Zentral.mdb"));
    d.beispiel = set.file(QStringLiteral("Beispiel.mdb"));
    d.programmordner = set.folder();
    d.wurzel = wurzel.path();
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    double groesse = 0;
    for (auto _ : state) {
        const QString ordner = Datensicherung(d, dialogs, shell).sichern(SicherungsArt::Datenbank);
        state.PauseTiming();
        if (ordner.isEmpty() || ordner == Datensicherung::kZugriff) {
            state.SkipWithError("Die Datensicherung ist fehlgeschlagen.");
            break;
        }
        qint64 bytes = 0;
        for (QDirIterator it(ordner, QDir::Files); it.hasNext();) bytes += it.nextFileInfo().size();
        groesse = static_cast<double>(bytes) / (1024.0 * 1024.0);
        clsDateien::OrdnerLoeschen(ordner);
        state.ResumeTiming();
    }
    state.counters["MB"] = groesse;
}

// The pieces of the run: the check of the two files before the copy, and the bare online copy of
// the three files.
static void QuellenPruefen(benchmark::State& state) {
    const bench::GeneratedSet& set = bench::GeneratedSet::instance();
    for (auto _ : state)
        for (const char* f : {"Tavomera.mdb", "Zentral.mdb"}) Database::repair(set.file(QString::fromLatin1(f)));
}

static void NurKopieren(benchmark::State& state) {
    const bench::GeneratedSet& set = bench::GeneratedSet::instance();
    QTemporaryDir ziel(QDir(set.folder()).absoluteFilePath(QStringLiteral("../kopie-XXXXXX")));
    for (auto _ : state) {
        for (const char* f : {"Tavomera.mdb", "Zentral.mdb", "Beispiel.mdb"})
            Database::backup(set.file(QString::fromLatin1(f)), QDir(ziel.path()).filePath(QString::fromLatin1(f)));
        state.PauseTiming();
        for (const char* f : {"Tavomera.mdb", "Zentral.mdb", "Beispiel.mdb"})
            QFile::remove(QDir(ziel.path()).filePath(QString::fromLatin1(f)));
        state.ResumeTiming();
    }
}

BENCHMARK(QuellenPruefen)->Name("backup.QuellenPruefen/zwei_dateien")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(NurKopieren)->Name("backup.NurKopieren/drei_dateien")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Datenbanksicherung)->Name("backup.Datenbanksicherung/platte")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
