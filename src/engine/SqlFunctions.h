#pragma once

#include <QString>

struct sqlite3;

namespace tav::sqlfunctions {

// One registry for the Jet functions, the Jet text collation and the Jet Like, installed on
// every connection. Jet names are renamed by the translator to their registered names
// (Format -> jet_format), so SQLite's own format(), date(), left … never get in the way.

void registerAll(sqlite3* db);

// The registered name for a Jet function name ("Format", "DATEDIFF", "cvdate"), or empty
// text when the name is not a Jet function that needs one of ours.
QString sqlName(const QString& jetName);

// Jet's Like: * ? # [a-z] [!a-z], case folded (umlauts included).
bool like(const QString& value, const QString& pattern);
// An ADO pattern (% and _) as the equivalent Jet pattern.
QString adoPattern(const QString& pattern);

}  // namespace tav::sqlfunctions
