#pragma once

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "engine/Database.h"

namespace tav::bench {

// A private copy of the generated set, for benchmarks that write: the database files copied
// into a temporary folder and every link of every file pointed at the copy's own files, so
// that nothing reaches the cached set. The folder goes with the object.
class SetCopy {
public:
    // Copies into a new folder below parentFolder (created when missing).
    SetCopy(const QString& sourceFolder, const QString& parentFolder);

    bool isValid() const { return dir_.isValid(); }
    QString folder() const { return dir_.path(); }
    QString file(const QString& name) const;
    // The copy's link database.
    std::unique_ptr<Database> open() const;

private:
    QTemporaryDir dir_;
};

// Copies the database files (*.mdb) of one folder into another and points the links of every
// copied file at the copied files of the same name. Throws DatabaseError.
void copyDatabaseFiles(const QString& sourceFolder, const QString& targetFolder);

// One generated 70-room database set (10 or 30 years) that bench/run makes once and caches under
// build/. Every benchmark program opens it through here, so all of them measure the same data;
// bench/run runs each program once per set.
//
// bench/run exports TAVOMERA_BENCH_SET (the folder) and TAVOMERA_BENCH_TODAY (the reference day
// the set was generated for); a program started by hand needs the same two variables.
class GeneratedSet {
public:
    static const GeneratedSet& instance();

    QString folder() const { return folder_; }
    QString file(const QString& name) const;  // a file of the set: "Lokal.mdb", "Zentral.mdb" …
    QDate today() const { return today_; }    // the reference day: the plan opens at today − 2

    // The link database, as the program opens it (one per call). Read only: a benchmark that
    // writes works on copy().
    std::unique_ptr<Database> open() const;

    // A private copy below parentFolder; empty: beside the cached set, on the same disk.
    std::unique_ptr<SetCopy> copy(const QString& parentFolder = {}) const;

private:
    GeneratedSet();
    QString folder_;
    QDate today_;
};

}  // namespace tav::bench
