// Document output: the data files of the sample two-room invoice written, merged into the
// shipped invoice template and rendered as an A4 PDF, as one print of the invoice does.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "invoice/Briefdatei.h"
#include "invoice/Dokumentausgabe.h"
#include "invoice/Musterdaten.h"
#include "invoice/ReDetailDatei.h"
#include "platform/Files.h"
#include "platform/MailMerge.h"

namespace {

// A program folder with the invoice template; the data files are rewritten in every run.
struct Programmordner {
    QTemporaryDir dir;
    QDate datum = QDate(2026, 6, 15);
    tav::Briefdaten brief = tav::Musterdaten::brief(datum);
    QList<tav::Detailzeile> zeilen = tav::Musterdaten::rechnungszeilen(datum);

    Programmordner() {
        QFile::copy(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/rechnung.html"), dir.filePath(QStringLiteral("rechnung.doc")));
        datenSchreiben();
    }
    bool datenSchreiben() const {
        return tav::Briefdatei::datei(brief).save(tav::files::join(dir.path(), tav::Briefdatei::kDateiname)) &&
               tav::ReDetailDatei::schreiben(dir.path(), tav::DetailBeschriftung{}, zeilen);
    }
};

void RechnungDateienUndPdf(benchmark::State& state) {
    Programmordner p;
    for (auto _ : state) {
        if (!p.datenSchreiben()) state.SkipWithError("Datendateien nicht geschrieben");
        const tav::MergeResult r =
            tav::Dokumentausgabe::ausgeben(tav::Dokumentart::Rechnung, p.dir.path(), QStringLiteral("Rechnung Weißgerber.doc"));
        if (!r.ok) state.SkipWithError(r.message.toUtf8().constData());
        benchmark::DoNotOptimize(r.copies);
    }
}

void RechnungNurZusammenfuehren(benchmark::State& state) {
    Programmordner p;
    QFile f(p.dir.filePath(QStringLiteral("rechnung.doc")));
    if (!f.open(QIODevice::ReadOnly)) state.SkipWithError("Vorlage nicht lesbar");
    const QString vorlage = QString::fromUtf8(f.readAll());
    for (auto _ : state) {
        const auto daten = tav::DataFile::load(tav::files::join(p.dir.path(), tav::Briefdatei::kDateiname));
        QString fehler;
        const auto html = tav::mergeTemplate(vorlage, *daten, p.dir.path(), &fehler);
        if (!html) state.SkipWithError(fehler.toUtf8().constData());
        benchmark::DoNotOptimize(html->size());
    }
}

}  // namespace

BENCHMARK(RechnungDateienUndPdf)->Name("output.Rechnung_zwei_Zimmer/dateien_und_pdf")->Unit(benchmark::kMillisecond);
BENCHMARK(RechnungNurZusammenfuehren)->Name("output.Rechnung_zwei_Zimmer/nur_zusammenfuehren")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // Rendering needs fonts: a QGuiApplication on the offscreen platform, which bench/run sets.
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
