#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

#include "engine/JetSql.h"
#include "engine/JetTypes.h"
#include "engine/Recordset.h"

struct sqlite3;

namespace tav {

namespace detail {
struct Connection;
}

// The database password of every file of the program and the connect string that carries it.
inline const QString kDatabasePassword = QStringLiteral("5h194x28");
inline const QString kConnect = QStringLiteral(";PWD=5h194x28");

// The parts of a connect string ";DATABASE=<file>;PWD=<password>". A value that holds ";"
// is written in braces ("DATABASE={/srv/Hotel;Sommer/Zentral.mdb}", "}" doubled inside).
struct ConnectString {
    QString database;
    QString password;
    static ConnectString parse(const QString& connect);
    static QString make(const QString& database, const QString& password = kDatabasePassword);
};

// One open database file with its linked tables, standing in for a DAO Database: queries in
// the Jet dialect, editable recordsets, action queries, transactions, table definitions,
// links, repair and compact. Every table of a link reaches the statements under its own name.
class Database final : public NameResolver {
public:
    // Opens an existing file; a wrong or missing password is refused. Throws DatabaseError.
    static std::unique_ptr<Database> open(const QString& path, const QString& connect = kConnect);
    // Makes a new, empty file protected by the password; refuses an existing file.
    static std::unique_ptr<Database> create(const QString& path, const QString& password = kDatabasePassword);
    // How long a statement waits for another connection's lock before it fails with a
    // DatabaseError whose locked() is true; applies to connections opened afterwards.
    static void setBusyTimeout(int milliseconds);
    static int busyTimeout();
    ~Database() override;

    const QString& path() const;

    // ---- queries ----
    Recordset openRecordset(const QString& jetSql, const QVariantList& params = {});
    // Runs an action query; returns the number of rows it changed.
    int execute(const QString& jetSql, const QVariantList& params = {});
    // First field of the first row, or Null.
    QVariant scalar(const QString& jetSql, const QVariantList& params = {});
    // The first column of every row as whole numbers (Null as 0), read forward once without
    // keeping the rows as a Recordset does: for the keys of a long list.
    QList<qint64> integerColumn(const QString& jetSql, const QVariantList& params = {});
    // The SQLite text a Jet statement becomes (for the admin tool and tests).
    QString translate(const QString& jetSql);
    void setLikeMode(LikeMode mode);
    LikeMode likeMode() const;
    // Off: commits do not wait for the disk (PRAGMA synchronous=OFF on every attached file).
    // For building new files and for tests only; the running program keeps it on.
    void setDurable(bool durable);

    // ---- transactions (nest; the outermost commit writes every attached file at once) ----
    // immediate: take the write lock at once, so that a check and the write that depends on it
    // cannot be overtaken by another program on the same files.
    void beginTrans(bool immediate = false);
    // Begins a transaction that takes the write lock at once, but only on the file that holds
    // the table: a check and the write that depends on it cannot be overtaken by another
    // program, and a commit that writes one file needs no journal over all attached files.
    void beginWrite(const QString& table);
    void commitTrans();
    void rollback();
    int transactionDepth() const;

    // ---- table definitions ----
    QList<TableDef> tableDefs() const;  // local tables and links; engine tables (MSys…) left out
    std::optional<TableDef> tableDef(const QString& name) const;
    bool hasTableDef(const QString& name) const;
    void createTable(const TableDef& def);
    // Adds a field; for a linked table the field is added in the file the link points to.
    void addField(const QString& table, const FieldDef& field);
    void dropTable(const QString& name);
    void dropField(const QString& table, const QString& field);
    void createIndex(const QString& table, const IndexDef& index);
    // The table has the index of that name (as createIndex names it), in whichever file it lives.
    bool hasIndex(const QString& table, const QString& indexName) const;
    // Runs SQLite SQL as written, without the Jet translation, in this file only: for what
    // the Jet dialect has no words for, such as triggers that keep a table in step.
    void executeNative(const QString& sqliteSql, const QVariantList& params = {});

    // ---- links ----
    void createLink(const QString& name, const QString& connect, const QString& sourceTable = {});
    // Points an existing link at another file; refused when that file lacks the table.
    void refreshLink(const QString& name, const QString& connect);
    void deleteLink(const QString& name);

    // ---- maintenance of closed files ----
    // Checks and rebuilds the file's indexes; throws DatabaseError when it cannot be read.
    static void repair(const QString& path, const QString& connect = kConnect);
    // Writes a compacted copy into target (which must not exist).
    static void compact(const QString& path, const QString& target, const QString& connect = kConnect);
    // Copies the file at path into a new file target (which must not exist) with SQLite's
    // online backup, while other programs may be working on it: every page is read under one
    // read lock, so that the copy holds the state before or after another program's commit,
    // never a mix. A copy that fails half-way is removed. Throws DatabaseError.
    static void backup(const QString& path, const QString& target, const QString& connect = kConnect);
    // The result of PRAGMA integrity_check: empty text for a sound file, else the problems
    // found (or why the file could not be read at all).
    static QString integrityProblem(const QString& path, const QString& connect = kConnect);
    // The same with PRAGMA quick_check: every page, b-tree and record, without the comparison of
    // each index with its table. Enough for a page-by-page copy of a file that was sound.
    static QString quickCheckProblem(const QString& path, const QString& connect = kConnect);

    // ---- NameResolver ----
    std::optional<TableLocation> table(const QString& name) const override;
    QString column(const QString& name) const override;
    std::optional<JetType> columnType(const QString& name) const override;
    bool isCounter(const QString& table, const QString& column) const override;

    sqlite3* handle() const;

private:
    explicit Database(const QString& path);
    void openFile(bool create, const QString& password);
    void loadSchema();
    void schemaChanged();
    QString attachFor(const QString& file, const QString& password, QString& problem, int& problemCode);
    std::optional<TableLocation> locate(const QString& name) const;
    void createYesNoTriggers(const QString& schema, const QString& table, const QString& field);

    std::shared_ptr<detail::Connection> c_;
    QHash<QString, QString> attached_;  // file -> schema alias
    // Files whose attach failed while the schema was read, with the reason and its result code:
    // every further link to such a file fails at once instead of waiting for the lock again.
    QHash<QString, std::pair<QString, int>> unreachable_;
    bool durable_ = true;
    int transactionDepth_ = 0;
};

// Rolls back on every early return unless commit() was called.
class Transaction {
public:
    explicit Transaction(Database& db, bool immediate = false) : db_(db) { db_.beginTrans(immediate); }
    // Takes the write lock on the file of that table at once (see Database::beginWrite).
    Transaction(Database& db, const QString& lockTable) : db_(db) { db_.beginWrite(lockTable); }
    ~Transaction() {
        if (!done_) {
            try {
                db_.rollback();
            } catch (...) {}
        }
    }
    void commit() {
        db_.commitTrans();
        done_ = true;
    }
    void rollback() {
        db_.rollback();
        done_ = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& db_;
    bool done_ = false;
};

}  // namespace tav
