#include "DocumentCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "invoice/Briefdatei.h"
#include "invoice/ReDetailDatei.h"
#include "invoice/Rechnungsdruck.h"
#include "platform/Amounts.h"
#include "platform/ScriptedDialogs.h"

namespace tav::cli {

const char* const kDocumentUsage =
    "  tavomera-db nachdruck --db DATEI [--vorlagen ORDNER] NUMMER ZIEL.pdf\n"
    "      erstellt ein gespeichertes Dokument (gedruckte Nummer wie \"R 0012\" oder Schlüssel)\n"
    "      erneut als PDF; die Vorlagen liegen im Programmordner (Vorgabe: der Ordner der Datenbank)\n"
    "  tavomera-db datendateien --db DATEI NUMMER ORDNER\n"
    "      schreibt Rechn.doc, ReDetail.doc und ReDetail.rtf eines Dokuments in einen Ordner\n";

bool documentNeedsGui(const QString& command) { return command == QLatin1String("nachdruck"); }

namespace {

struct Aufruf {
    QString db, vorlagen;
    QStringList frei;
};

// Options and positional arguments after the command; false with a message.
bool lesen(const QStringList& args, Aufruf& a, QTextStream& err) {
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString& x = args[i];
        if (x == QLatin1String("--db") || x == QLatin1String("--vorlagen")) {
            if (++i >= args.size()) {
                err << x << " braucht einen Pfad.\n";
                return false;
            }
            (x == QLatin1String("--db") ? a.db : a.vorlagen) = args[i];
        } else {
            a.frei << x;
        }
    }
    return true;
}

}  // namespace

std::optional<int> runDocument(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = args.value(1);
    const bool pdf = command == QLatin1String("nachdruck");
    if (!pdf && command != QLatin1String("datendateien")) return std::nullopt;
    Aufruf a;
    if (!lesen(args, a, err)) return 2;
    if (a.db.isEmpty() || a.frei.size() != 2) {
        err << "Aufruf:\n" << kDocumentUsage;
        return 2;
    }
    if (!QFileInfo(a.db).isFile()) {
        err << "Fehler: Die Datenbank " << QDir::toNativeSeparators(a.db) << " gibt es nicht.\n";
        return 1;
    }
    const QString nummer = a.frei[0], ziel = a.frei[1];
    const QString zielOrdner = pdf ? QFileInfo(ziel).absolutePath() : ziel;
    if (!QFileInfo(zielOrdner).isDir()) {
        err << "Fehler: Den Ordner " << QDir::toNativeSeparators(zielOrdner) << " gibt es nicht.\n";
        return 1;
    }
    try {
        std::unique_ptr<Database> db = Database::open(a.db);
        ScriptedDialogs dialogs;
        dialogs.expectUnanswered();
        Rechnungsdruck druck(*db, dialogs);
        const std::optional<int> schluessel = druck.dokumentSuchen(nummer);
        if (!schluessel) {
            err << "Fehler: Es gibt kein Dokument mit der Nummer oder dem Schlüssel \"" << nummer << "\".\n";
            return 1;
        }
        int rc = 0;
        if (pdf) {
            const QString vorlagen = a.vorlagen.isEmpty() ? QFileInfo(a.db).absolutePath() : a.vorlagen;
            QTemporaryDir daten;
            const MergeResult r = druck.ausgeben(*schluessel, vorlagen, daten.path(), QString(), ziel);
            if (!r.ok) {
                err << "Fehler: " << r.message << '\n';
                rc = 1;
            } else {
                out << QDir::toNativeSeparators(r.pdf) << '\n';
            }
        } else {
            QString fehler;
            Detailergebnis detail;
            if (!druck.DruckenRechnung(*schluessel, ziel, &fehler, &detail)) {
                err << "Fehler: " << fehler << '\n';
                rc = 1;
            } else {
                for (const QString& name : {Briefdatei::kDateiname, ReDetailDatei::kDateiname, ReDetailDatei::kRtfDateiname})
                    out << QDir::toNativeSeparators(QDir(ziel).filePath(name)) << '\n';
                out << "Gesamtbetrag\t" << amounts::format(detail.bruttoNachRabatt) << '\n';
            }
        }
        // What the document's computation would have shown in a window.
        for (const QString& t : dialogs.texts()) err << "Hinweis: " << t << '\n';
        return rc;
    } catch (const DatabaseError& e) {
        err << "Fehler: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace tav::cli
