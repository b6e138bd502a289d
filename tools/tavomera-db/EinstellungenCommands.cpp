#include "EinstellungenCommands.h"

#include "engine/Database.h"
#include "platform/Dates.h"
#include "platform/ScriptedDialogs.h"
#include "settings/FeiertagLogik.h"

namespace tav::cli {

int einstellungenBefehl(const QString& command, const QString& dbPfad, const QStringList& positional, QTextStream& out, QTextStream& err) {
    const bool liste = command == QLatin1String("feiertage");
    const bool import = command == QLatin1String("feiertage-import");
    if (!liste && !import) return -1;
    if (dbPfad.isEmpty() || positional.size() != (import ? 2 : 1)) {
        err << "Aufruf: tavomera-db feiertage --db DATEI oder tavomera-db feiertage-import --db DATEI QUELLE\n";
        return 2;
    }
    auto db = Database::open(dbPfad);
    // The messages the holidays form would show become the tool's output.
    ScriptedDialogs meldungen;
    meldungen.expectUnanswered();
    FeiertagLogik logik(*db, meldungen);
    if (liste) {
        for (const Feiertag& f : logik.alle()) out << f.id << '\t' << f.name << '\t' << dates::longDate(f.datum) << '\n';
        return 0;
    }
    const int anzahl = logik.importieren(positional[1]);
    for (const QString& text : meldungen.texts()) (anzahl < 0 ? err : out) << text << '\n';
    return anzahl < 0 ? 1 : 0;
}

}  // namespace tav::cli
