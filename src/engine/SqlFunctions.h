#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace tav::sqlfunctions {

// One registry for the Jet functions, the Jet text collation and the Jet Like, installed on
// every connection. Jet names are renamed by the translator to their registered names
// (Format -> jet_format), so SQLite's own format(), date(), left … never get in the way.

void registerAll(sqlite3* db);

// A registered function as the registry declares it. Every function takes minArgs to maxArgs
// arguments (maxArgs -1: any number from minArgs on); another count is refused with "Falsche
// Anzahl an Argumenten …" before an argument is read.
struct FunctionInfo {
    QStringList jetNames;  // empty for those the translator writes for operators
    QString sqlName;
    int minArgs = 0;
    int maxArgs = 0;
    bool aggregate = false;
};
QList<FunctionInfo> functions();

// The Jet name of a registered function ("jet_datediff" -> "DateDiff"), or empty text.
QString jetName(const QString& registeredName);

// The registered name for a Jet function name ("Format", "DATEDIFF", "cvdate"), or empty
// text when the name is not a Jet function that needs one of ours.
QString sqlName(const QString& jetName);

// Jet's Like: * ? # [a-z] [!a-z], case folded (umlauts included).
bool like(const QString& value, const QString& pattern);
// An ADO pattern (% and _) as the equivalent Jet pattern.
QString adoPattern(const QString& pattern);

}  // namespace tav::sqlfunctions
