#pragma once

#include <QDate>
#include <QString>
#include <memory>

#include "data/Database.h"

namespace tav::bench {

// The generated 70-room, 10-year database set that bench/run makes once and caches under
// build/. Every benchmark program opens it through here, so all of them measure the same data.
//
// bench/run exports TAVOMERA_BENCH_SET (the folder) and TAVOMERA_BENCH_TODAY (the reference day
// the set was generated for); a program started by hand needs the same two variables.
class GeneratedSet {
public:
    static const GeneratedSet& instance();

    QString folder() const { return folder_; }
    QString file(const QString& name) const;  // a file of the set: "Lokal.mdb", "Zentral.mdb" …
    QDate today() const { return today_; }    // the reference day: the plan opens at today − 2

    // The link database, as the program opens it (one per call).
    std::unique_ptr<Database> open() const;

private:
    GeneratedSet();
    QString folder_;
    QDate today_;
};

}  // namespace tav::bench
