#include "ListCommands.h"

#include <QDir>

#include "engine/Database.h"
#include "lists/Tageslisten.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "store/Einstellungen.h"
#include "store/Parameter.h"
#include "store/Variablen.h"

namespace tav::cli {

namespace {

// No one answers on the command line: messages go to the error output, questions are cancelled.
class KonsolenDialogs final : public Dialogs {
public:
    explicit KonsolenDialogs(QTextStream& err) : err_(err) {}

protected:
    Answer showMessage(const MessageRequest& r) override {
        err_ << r.text << '\n';
        return Answer::Cancel;
    }
    QString showInput(const QString&, const QString&, const QString&) override { return {}; }
    QString showOpenFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    QTextStream& err_;
};

struct Art {
    const char* name;
    Tagesliste liste;
};

const Art kArten[] = {
    {"tagesliste", Tagesliste::Tagesliste}, {"fruehstueck", Tagesliste::Fruehstueck}, {"mittag", Tagesliste::Mittag},
    {"abendessen", Tagesliste::Abendessen}, {"waesche", Tagesliste::Waesche},         {"gaeste", Tagesliste::GaesteImHaus},
    {"anreise", Tagesliste::Anreise},       {"abreise", Tagesliste::Abreise},
};

QString tsvWert(QString v) {
    v.replace(QLatin1Char('\t'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return v;
}

}  // namespace

const char* const kListUsage =
    "  tavomera-db liste --db DATEI ART [DATUM] [--datei ORDNER]\n"
    "      gibt eine Tagesliste tabulatorgetrennt aus (ART: tagesliste, fruehstueck, mittag,\n"
    "      abendessen, waesche, gaeste, anreise, abreise; DATUM wie 2.3.2024 oder 2024-03-02,\n"
    "      Vorgabe heute); mit --datei wird allgdat.doc in den ORDNER geschrieben\n";

std::optional<int> listCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.value(1) != QLatin1String("liste")) return std::nullopt;
    QString dbPfad, ordner;
    QStringList positional;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--db") || args[i] == QLatin1String("--datei")) {
            if (i + 1 >= args.size()) {
                err << args[i] << " braucht einen Pfad.\n";
                return 2;
            }
            QString& ziel = args[i] == QLatin1String("--db") ? dbPfad : ordner;
            ziel = args[++i];
        } else {
            positional << args[i];
        }
    }
    if (dbPfad.isEmpty() || positional.isEmpty() || positional.size() > 2) {
        err << "Aufruf:\n" << kListUsage;
        return 2;
    }
    const Art* art = nullptr;
    for (const Art& a : kArten)
        if (positional[0] == QLatin1String(a.name)) art = &a;
    if (!art) {
        err << "Unbekannte Liste: " << positional[0] << '\n';
        return 2;
    }
    const QDate heute = Clock::current().today();
    QDate tag = heute;
    if (positional.size() == 2) {
        tag = QDate::fromString(positional[1], Qt::ISODate);
        if (!tag.isValid()) tag = dates::parse(positional[1]).value_or(QDate());
        if (!tag.isValid()) {
            err << "Kein gültiges Datum: " << positional[1] << '\n';
            return 2;
        }
    }
    auto db = Database::open(dbPfad);
    // The shown texts of the yes/no flags, as the program's start makes them.
    Variablen v;
    einstellungen::hilfeDarstellung(*db, v);
    Parameter p(*db);
    Listeneinstellungen e;
    if (const auto row = p.read(QStringLiteral("SpaltenBeschriftung"))) {
        e.zimmer = row->text(6, e.zimmer);
        e.art = row->text(17, e.art);
    }
    if (const auto row = p.read(QStringLiteral("Wäsche"))) {
        e.waesche1 = row->text(1, e.waesche1);
        e.waesche2 = row->text(3, e.waesche2);
    }
    KonsolenDialogs dialogs(err);
    Tageslisten listen(*db, dialogs, e);
    const Listenergebnis ergebnis = listen.erstellen(art->liste, tag, heute);
    if (ergebnis.saetze.isEmpty()) {
        err << Tageslisten::nichts(art->liste) << '\n';
        return 1;
    }
    const QStringList felder = ergebnis.feldnamen();
    out << felder.join(QLatin1Char('\t')) << '\n';
    for (const auto& satz : ergebnis.saetze) {
        QStringList werte;
        for (const QString& f : felder) werte << tsvWert(satz.value(f));
        out << werte.join(QLatin1Char('\t')) << '\n';
    }
    if (!ordner.isEmpty()) {
        const QString pfad = QDir::toNativeSeparators(files::join(ordner, allgdat::kDateiname));
        if (!allgdat::schreiben(pfad, ergebnis.datei())) {
            err << "Die Datei " << pfad << " konnte nicht geschrieben werden.\n";
            return 1;
        }
        err << "Die Daten wurden exportiert nach " << pfad << ".\n";
    }
    return 0;
}

}  // namespace tav::cli
