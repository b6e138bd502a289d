// Benchmarks of the database engine: the Jet translator and the plan window's booking query,
// through the engine and through hand-written SQLite for comparison.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QFile>

#include "GeneratedSet.h"
#include "engine/Database.h"
#include "engine/JetSql.h"
#include "engine/SqlText.h"

using namespace tav;

namespace {

// The query of the plan window for the window start s and d days, as the plan composes it.
QString planQuery(const QDate& s, int d) {
    const QString start = sqltext::date(s.addDays(-5)), end = sqltext::date(s.addDays(d));
    return QStringLiteral("SELECT tbBelegArten.BelegungsID, tbBelegArten.BelegungsArt,") +
           QStringLiteral(" tblBelegung.ID, tblBelegung.Zimmernummer, tblBelegung.Von, tblBelegung.Bis, ") +
           QStringLiteral(" tblBelegung.GastID, tblBelegung.Info, tblBelegung.Kürzel, tblBelegung.Preis, ") +
           QStringLiteral(
               " tblBelegung.PreisProNacht, tblBelegung.AnzahlÜbernachtungen, tblBelegung.AnzahlGäste,  tblBelegung.Anz_Kinder,") +
           QStringLiteral(" tblBelegung.Gelöscht, tblBelegung.Checked, tblBelegung.WerErstellt, tblBelegung.WannErstellt, ") +
           QStringLiteral(" tblBelegung.WerGeändert, tblBelegung.WannGeändert, tblBelegung.Abgerechnet, tblBelegung.IDAdressRechnung, ") +
           QStringLiteral(" tblBelegung.Wäsche1, tblBelegung.Wäsche2, tblBelegung.Frühstück, tblBelegung.Zahlart, ") +
           QStringLiteral(" tblBelegung.Mittag, tblBelegung.Abendessen, tblBelegung.Alter_Kinder, tblBelegung.BelegNummer, ") +
           QStringLiteral(" tblBelegung.BelegNummer_eigen, tbZimmernummern.NeueNummer,Address.Firstname,Address.Lastname, ") +
           QStringLiteral(
               " tblBelegung.AnzahlGäste, tblBelegung.Anz_Kinder, [tbZimmernummern].[AnzahlGästeDefault]-[tblBelegung].[AnzahlGäste] AS Diff ") +
           QStringLiteral(" FROM ((tblBelegung INNER JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) ") +
           QStringLiteral(" INNER JOIN Address ON tblBelegung.GastID = Address.ID) ") +
           QStringLiteral(" INNER JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID ") +
           QStringLiteral(" WHERE (((tblBelegung.Von)<=") + end + QStringLiteral(") AND ((tblBelegung.Bis)>=") + start +
           QStringLiteral("));");
}

// The same rows in plain SQLite, written by hand.
const char* const kRawPlanQuery =
    "SELECT a.BelegungsID, a.BelegungsArt, b.ID, b.Zimmernummer, b.Von, b.Bis, b.GastID, b.Info, b.\"Kürzel\", b.Preis, "
    "b.PreisProNacht, b.\"AnzahlÜbernachtungen\", b.\"AnzahlGäste\", b.Anz_Kinder, b.\"Gelöscht\", b.Checked, b.WerErstellt, "
    "b.WannErstellt, b.\"WerGeändert\", b.\"WannGeändert\", b.Abgerechnet, b.IDAdressRechnung, b.\"Wäsche1\", b.\"Wäsche2\", "
    "b.\"Frühstück\", b.Zahlart, b.Mittag, b.Abendessen, b.Alter_Kinder, b.BelegNummer, b.BelegNummer_eigen, z.NeueNummer, "
    "ad.Firstname, ad.Lastname, b.\"AnzahlGäste\", b.Anz_Kinder, z.\"AnzahlGästeDefault\" - b.\"AnzahlGäste\" AS Diff "
    "FROM main.tblBelegung b JOIN work.tbZimmernummern z ON b.Zimmernummer = z.Zimmernummer "
    "JOIN main.Address ad ON b.GastID = ad.ID JOIN work.tbBelegArten a ON b.Belegungsart = a.BelegungsID "
    "WHERE b.Von <= ?1 AND b.Bis >= ?2";

// The statement that the plan runs on every mouse movement over a room row: a typical one.
const QString kTypical = QStringLiteral(
    "SELECT ID, BelegNummer_eigen,Von, Bis, Kürzel, GastID, Checked, AnzahlGäste ,tblBelegung.Anz_Kinder FROM tblBelegung "
    "WHERE Zimmernummer = 12 AND Gelöscht = FALSE   AND DATEDIFF('d',Von, '14.06.2026')>=0 AND DATEDIFF('d',Bis, '14.06.2026') < 0;");

constexpr int kDays = 35;

QDate windowStart() { return bench::GeneratedSet::instance().today().addDays(-2); }

void TranslateCold(benchmark::State& state) {
    auto db = bench::GeneratedSet::instance().open();
    JetSql translator(db.get());
    for (auto _ : state) benchmark::DoNotOptimize(translator.translateUncached(kTypical));
}

void TranslateCached(benchmark::State& state) {
    auto db = bench::GeneratedSet::instance().open();
    JetSql translator(db.get());
    translator.translate(kTypical);
    for (auto _ : state) benchmark::DoNotOptimize(translator.translate(kTypical));
}

void TranslatePlanCached(benchmark::State& state) {
    auto db = bench::GeneratedSet::instance().open();
    JetSql translator(db.get());
    const QString sql = planQuery(windowStart(), kDays);
    translator.translate(sql);
    for (auto _ : state) benchmark::DoNotOptimize(translator.translate(sql));
}

// The plan's way: open the dynaset, MoveLast and MoveFirst for the count, then every field of
// every row, read by its name.
void PlanQueryEngine(benchmark::State& state) {
    auto db = bench::GeneratedSet::instance().open();
    const QString sql = planQuery(windowStart(), kDays);
    QStringList names;
    {
        Recordset rs = db->openRecordset(sql);
        for (int i = 0; i < rs.fieldCount(); ++i) names << rs.fieldName(i);
    }
    qint64 rows = 0;
    for (auto _ : state) {
        Recordset rs = db->openRecordset(sql);
        if (!rs.eof()) {
            rs.moveLast();
            rs.moveFirst();
        }
        for (; !rs.eof(); rs.moveNext()) {
            for (const QString& name : names) benchmark::DoNotOptimize(rs.value(name));
            ++rows;
        }
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
}

// The same rows with sqlite3_step on the same files: the working database attached to the
// central one, the statement prepared once, every column read.
void PlanQueryRaw(benchmark::State& state) {
    const auto& set = bench::GeneratedSet::instance();
    sqlite3* db = nullptr;
    // Opened as the engine opens its files (one thread, no mutex around every call).
    if (sqlite3_open_v2(QFile::encodeName(set.file(QStringLiteral("Zentral.mdb"))).constData(), &db,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        state.SkipWithError("Zentral.mdb kann nicht geöffnet werden");
        return;
    }
    const QByteArray attach = "ATTACH DATABASE '" + QFile::encodeName(set.file(QStringLiteral("Tavomera.mdb"))) + "' AS work";
    sqlite3_exec(db, attach.constData(), nullptr, nullptr, nullptr);
    // The same page cache per file as the engine gives its files.
    sqlite3_exec(db, "PRAGMA main.cache_size=-16384; PRAGMA work.cache_size=-16384", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db, kRawPlanQuery, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        sqlite3_close(db);
        return;
    }
    const QByteArray end = windowStart().addDays(kDays).toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    const QByteArray start = windowStart().addDays(-5).toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    qint64 rows = 0;
    for (auto _ : state) {
        sqlite3_bind_text(stmt, 1, end.constData(), int(end.size()), SQLITE_STATIC);
        sqlite3_bind_text(stmt, 2, start.constData(), int(start.size()), SQLITE_STATIC);
        const int columns = sqlite3_column_count(stmt);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(stmt, i)) {
                    case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(stmt, i)); break;
                    case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(stmt, i)); break;
                    case SQLITE_TEXT:
                        benchmark::DoNotOptimize(sqlite3_column_text(stmt, i));
                        benchmark::DoNotOptimize(sqlite3_column_bytes(stmt, i));
                        break;
                    default: break;
                }
            }
            ++rows;
        }
        sqlite3_reset(stmt);
    }
    state.counters["rows"] = benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

}  // namespace

BENCHMARK(TranslateCold)->Name("engine.Translate/cold")->Unit(benchmark::kMicrosecond);
BENCHMARK(TranslateCached)->Name("engine.Translate/cached")->Unit(benchmark::kMicrosecond);
BENCHMARK(TranslatePlanCached)->Name("engine.TranslatePlanQuery/cached")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlanQueryEngine)->Name("engine.PlanQuery_70x35/engine")->Unit(benchmark::kMillisecond);
// Where the engine's time goes: the rows only (MoveLast, MoveFirst, walk), and every field
// read by its position instead of its name.
void PlanQueryFetchOnly(benchmark::State& state) {
    auto db = bench::GeneratedSet::instance().open();
    const QString sql = planQuery(windowStart(), kDays);
    for (auto _ : state) {
        Recordset rs = db->openRecordset(sql);
        rs.moveLast();
        rs.moveFirst();
        for (; !rs.eof(); rs.moveNext()) benchmark::ClobberMemory();
    }
}
void PlanQueryByIndex(benchmark::State& state) {
    auto db = bench::GeneratedSet::instance().open();
    const QString sql = planQuery(windowStart(), kDays);
    for (auto _ : state) {
        Recordset rs = db->openRecordset(sql);
        rs.moveLast();
        rs.moveFirst();
        const int n = rs.fieldCount();
        for (; !rs.eof(); rs.moveNext())
            for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(rs.value(i));
    }
}
BENCHMARK(PlanQueryFetchOnly)->Name("engine.PlanQuery_70x35/rows_only")->Unit(benchmark::kMillisecond);
BENCHMARK(PlanQueryByIndex)->Name("engine.PlanQuery_70x35/by_position")->Unit(benchmark::kMillisecond);
BENCHMARK(PlanQueryRaw)->Name("engine.PlanQuery_70x35/raw")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
