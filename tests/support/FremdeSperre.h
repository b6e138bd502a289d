#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QList>
#include <QStringList>

#include "engine/Database.h"

namespace tav::test {

// Another workstation holding database files with an exclusive lock, as a long write elsewhere
// does: every read and write of the program waits for its busy timeout and then fails.
class FremdeSperre {
public:
    explicit FremdeSperre(const QStringList& dateien) {
        for (const QString& d : dateien) {
            sqlite3* c = nullptr;
            EXPECT_EQ(sqlite3_open_v2(d.toUtf8().constData(), &c, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK) << d.toStdString();
            EXPECT_EQ(sqlite3_exec(c, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK) << d.toStdString();
            verbindungen_ << c;
        }
    }
    ~FremdeSperre() { freigeben(); }
    FremdeSperre(const FremdeSperre&) = delete;
    FremdeSperre& operator=(const FremdeSperre&) = delete;

    void freigeben() {
        for (sqlite3* c : verbindungen_) {
            sqlite3_exec(c, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(c);
        }
        verbindungen_.clear();
    }

    // The program waits ten seconds for a lock; a test need not wait that long.
    static void kurzWarten(Database& db) { sqlite3_busy_timeout(db.handle(), 20); }

    // The file a linked table of db lives in.
    static QString dateiDer(Database& db, const QString& tabelle) {
        const auto def = db.tableDef(tabelle);
        EXPECT_TRUE(def && def->isLinked()) << tabelle.toStdString();
        return def ? ConnectString::parse(def->connect).database : QString();
    }

    // The files of an installation made by dbfiles::createInstallation in folder.
    static QStringList installation(const QString& folder) {
        return {folder + QStringLiteral("/Tavomera.mdb"), folder + QStringLiteral("/Zentral.mdb"), folder + QStringLiteral("/Lokal.mdb")};
    }

private:
    QList<sqlite3*> verbindungen_;
};

}  // namespace tav::test
