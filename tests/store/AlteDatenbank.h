#pragma once

// An installation as an older version left it: without the tables and fields that the schema
// upgrade adds. Used by the upgrade tests of the data and the start-up.

#include <QString>

#include "engine/Database.h"

namespace tav::test {

inline void machAlt(const QString& linkPfad, const QString& arbeitsPfad) {
    {
        auto working = Database::open(arbeitsPfad);
        for (const char* t : {"tbBlockbuchung", "tbKategorie", "tbZahlart"}) working->dropTable(QString::fromLatin1(t));
        for (const char* f : {"KatBlockbuchung", "AnzahlGästeDefault", "PreisDefault"})
            working->dropField(QStringLiteral("tbZimmernummern"), QString::fromUtf8(f));
        for (int i = 24; i <= 28; ++i) working->dropField(QStringLiteral("tblParameter"), QStringLiteral("F%1").arg(i));
        // The central tables, through the working database's own links.
        for (const char* f : {"Zahlart", "Wäsche1", "Wäsche2", "Frühstück"})
            working->dropField(QStringLiteral("tblBelegung"), QString::fromUtf8(f));
        working->dropField(QStringLiteral("Address"), QStringLiteral("BemerkAdr"));
    }
    auto link = Database::open(linkPfad);
    for (const char* t : {"tbBlockbuchung", "tbKategorie", "tbZahlart"}) link->deleteLink(QString::fromLatin1(t));
}

}  // namespace tav::test
