#pragma once

#include <QList>
#include <QString>

#include "engine/JetTypes.h"

namespace tav::schema {

// Which file of an installation holds a table.
enum class Home {
    Central,  // Zentral.mdb: bookings and the address table shared with the address program
    Working,  // Tavomera.mdb: everything else of the installation
    Holiday,  // Feiertag.mdb: holidays to import and the postcode table
};

struct TableEntry {
    TableDef def;
    Home home;
};

// Every table of the program with its fields, keys and indexes.
const QList<TableEntry>& tables();
// The tables of one file.
QList<TableDef> tablesOf(Home home);
// One table by name (without regard to case); nullptr when unknown.
const TableEntry* find(const QString& name);

// The tables that the working database must reach as well, for the booking list that opens
// the working file directly: its own tables plus links to these central ones.
QStringList centralTablesLinkedIntoWorking();

}  // namespace tav::schema
