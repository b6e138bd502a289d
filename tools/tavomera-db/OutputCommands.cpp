#include "OutputCommands.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "invoice/Musterdaten.h"
#include "platform/Files.h"
#include "platform/MailMerge.h"

namespace tav::cli {

const char* const kOutputUsage =
    "  tavomera-db merge VORLAGE DATENDATEI ZIEL.pdf | ZIEL.doc\n"
    "      füllt eine Dokumentvorlage mit einer Datendatei (Rechn.doc, Best.doc, …; weitere\n"
    "      Datendateien wie ReDetail.doc im selben Ordner) und schreibt das Ergebnis als PDF\n"
    "      (bei ZIEL.doc das gefüllte Dokument und die PDF-Datei daneben)\n"
    "  tavomera-db musterdaten ORDNER\n"
    "      schreibt Beispiel-Datendateien einer Rechnung und einer Reservierung in einen Ordner,\n"
    "      um eine geänderte Vorlage mit merge anzusehen\n";

bool outputNeedsGui(const QString& command) { return command == QLatin1String("merge"); }

std::optional<int> runOutput(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = args.value(1);
    if (command == QLatin1String("merge")) {
        if (args.size() != 5) {
            err << "Aufruf: tavomera-db merge VORLAGE DATENDATEI ZIEL.pdf | ZIEL.doc\n";
            return 2;
        }
        const QString vorlage = args[2], daten = args[3], ziel = args[4];
        if (!QFileInfo(daten).isFile()) {
            err << "Fehler: Die Datendatei " << QDir::toNativeSeparators(daten) << " gibt es nicht.\n";
            return 1;
        }
        if (!QFileInfo(QFileInfo(ziel).absolutePath()).isDir()) {
            err << "Fehler: Den Ordner " << QDir::toNativeSeparators(QFileInfo(ziel).absolutePath()) << " gibt es nicht.\n";
            return 1;
        }
        // ZIEL.pdf: only the PDF; any other name: the merged document and the PDF beside it.
        const bool nurPdf = ziel.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
        const QFileInfo zi(ziel);
        const QString pdf = nurPdf ? ziel : zi.dir().filePath(zi.completeBaseName() + QStringLiteral(".pdf"));
        const MergeResult r = mailMerge(vorlage, daten, nurPdf ? QString() : ziel, pdf);
        if (!r.ok) {
            err << "Fehler: " << r.message << '\n';
            return 1;
        }
        if (!nurPdf) out << QDir::toNativeSeparators(r.document) << '\n';
        out << QDir::toNativeSeparators(r.pdf) << '\n';
        return 0;
    }
    if (command == QLatin1String("musterdaten")) {
        if (args.size() != 3) {
            err << "Aufruf: tavomera-db musterdaten ORDNER\n";
            return 2;
        }
        if (!files::createFolder(args[2])) {
            err << "Fehler: Der Ordner " << QDir::toNativeSeparators(args[2]) << " konnte nicht angelegt werden.\n";
            return 1;
        }
        QString fehler;
        if (!Musterdaten::schreiben(args[2], QDate::currentDate(), &fehler)) {
            err << "Fehler: " << fehler << '\n';
            return 1;
        }
        out << QDir::toNativeSeparators(args[2]) << '\n';
        return 0;
    }
    return std::nullopt;
}

}  // namespace tav::cli
