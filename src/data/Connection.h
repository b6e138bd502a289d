#pragma once

// Internal to the database engine: the state shared by a Database and its open recordsets.

#include <sqlite3.h>

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include "data/JetSql.h"
#include "data/JetTypes.h"

namespace tav::detail {

struct Connection {
    sqlite3* db = nullptr;
    QString path;
    LikeMode likeMode = LikeMode::Dao;
    JetSql translator;
    int generation = 0;  // bumped on every schema or link change; stale statements are dropped

    // Names: folded name -> where the table lives / canonical column spelling.
    QHash<QString, TableLocation> tables;
    QHash<QString, QString> columns;
    // Field definitions per "schema\ntable", read lazily.
    QHash<QString, QList<FieldDef>> fieldCache;

    // Prepared statements ready for reuse, by SQLite text.
    QHash<QString, QList<sqlite3_stmt*>> statements;
    int cachedStatements = 0;

    explicit Connection(const NameResolver* resolver) : translator(resolver) {}
    ~Connection();

    sqlite3_stmt* acquire(const QString& sql);  // throws DatabaseError
    void release(sqlite3_stmt* stmt, int stmtGeneration);
    void dropStatements();

    [[noreturn]] void fail(const QString& what, const QString& sql = {}) const;
    void bind(sqlite3_stmt* stmt, const QVariantList& params) const;
    QList<FieldDef> fieldsOf(const QString& schema, const QString& table);
};

// A QVariant from a result column, typed by the column's declared Jet type (or its storage
// class for expressions): Yes/No as int −1/0, dates as QDate/QDateTime, Null as QVariant().
QVariant columnValue(sqlite3_stmt* stmt, int column, const FieldDef* declared);

// A German text for a SQLite error.
QString germanError(int code, const QString& sqliteMessage);

}  // namespace tav::detail
