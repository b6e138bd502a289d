#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace tav::filecare {

// The care of database files before anything is read from them.

// A commit that spans several files leaves a super-journal "<file>-mj…" beside the file that
// opened them while it runs. A process killed in the middle leaves it behind: the next
// connection rolls the transaction back through the files' own journals, but the super-journal
// stays. Deletes the super-journals in folder that no journal of the folder names any more and
// that are older than a few minutes (another workstation may be committing right now). Returns
// the files deleted.
QStringList removeStaleSuperJournals(const QString& folder, const QDateTime& now = QDateTime::currentDateTime());

// The file cannot be written: its write permissions are gone, or SQLite refuses to write it
// (a read-only share, a folder where the journal cannot be created).
bool isReadOnly(const QString& path);

}  // namespace tav::filecare
