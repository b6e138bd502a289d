#pragma once

#include <QString>
#include <QStringList>

namespace tav::files {

// The file functions of the program (copy, delete, folders, find), in one place.

// Copies src to dst. Refuses (returns false) when dst exists and failIfExists is set.
bool copyFile(const QString& src, const QString& dst, bool failIfExists = true);
bool deleteFile(const QString& path);
bool exists(const QString& path);
bool folderExists(const QString& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool createFolder(const QString& path);
// Removes an empty folder, as RemoveDirectory did.
bool removeFolder(const QString& path);
// Names (not paths) of the files in folder matching a wildcard pattern like "*.mdb", sorted.
QStringList findFiles(const QString& folder, const QString& pattern);
// The folder of the running program.
QString programFolder();
// a + "/" + b without doubled separators; both "\" and "/" count as separators in b.
QString join(const QString& folder, const QString& name);

}  // namespace tav::files
