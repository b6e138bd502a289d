#pragma once

// Internal to the database engine: the state shared by a Database and its open recordsets.

#include <sqlite3.h>

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

#include "data/JetSql.h"
#include "data/JetTypes.h"

namespace tav::detail {

// What a statement's result columns are, worked out once per prepared statement.
struct ResultColumns {
    QStringList names;                     // visible columns
    QHash<QString, int> index;             // folded name and "table.name" -> column
    QList<std::optional<FieldDef>> types;  // declared Jet type per column
    QStringList origins;                   // table column each result column comes from (editable sets)
    int rowIdColumn = -1;
};

struct Connection {
    sqlite3* db = nullptr;
    QString path;
    LikeMode likeMode = LikeMode::Dao;
    JetSql translator;
    int generation = 0;  // bumped on every schema or link change; stale statements are dropped

    // Names: folded name -> where the table lives / canonical column spelling.
    QHash<QString, TableLocation> tables;
    QHash<QString, QString> columns;
    // Folded column name -> its type, when all tables with such a column agree (else absent).
    QHash<QString, JetType> columnTypes;
    // Field definitions per "schema\ntable", read lazily.
    QHash<QString, QList<FieldDef>> fieldCache;

    // Prepared statements ready for reuse, by SQLite text, and what their columns are.
    QHash<QString, QList<sqlite3_stmt*>> statements;
    int cachedStatements = 0;
    QHash<QString, ResultColumns> resultColumns;

    explicit Connection(const NameResolver* resolver) : translator(resolver) {}
    ~Connection();

    sqlite3_stmt* acquire(const QString& sql);  // throws DatabaseError
    void release(sqlite3_stmt* stmt, int stmtGeneration);
    void dropStatements();

    [[noreturn]] void fail(const QString& what, const QString& sql = {}) const;
    void bind(sqlite3_stmt* stmt, const QVariantList& params) const;
    QList<FieldDef> fieldsOf(const QString& schema, const QString& table);
};

// One value of a result row as SQLite gave it: the storage class and the data; text and blobs
// keep their bytes in the recordset's arena. Rows are kept this way and turned into QVariants
// only when a field is read.
struct Cell {
    enum Kind : quint8 { Null, Integer, Real, Text, Blob };
    Kind kind = Null;
    quint32 size = 0;  // bytes of text and blobs
    union {
        qint64 integer = 0;
        double real;
        qsizetype offset;  // of text and blobs in the arena
    };
};

// Reads a column of the current row; text of a text field and bytes of a binary field are
// taken whatever their storage class, as the field's type asks.
Cell readCell(sqlite3_stmt* stmt, int column, const FieldDef* declared, QByteArray& arena);
// The value of a cell typed by the column's declared Jet type (or its storage class for
// expressions): Yes/No as int −1/0, dates as QDate/QDateTime, Null as QVariant().
QVariant cellValue(const Cell& cell, const char* arena, const FieldDef* declared);
// Both at once, for a single value.
QVariant columnValue(sqlite3_stmt* stmt, int column, const FieldDef* declared);

// A German text for a SQLite error.
QString germanError(int code, const QString& sqliteMessage);

}  // namespace tav::detail
