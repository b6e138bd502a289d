#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

#include "engine/JetTypes.h"

namespace tav {

// Like patterns: the DAO statements use * ? # [..]; the booking list's ADO statements use % _.
enum class LikeMode { Dao, Ado };

// Where a table name of a statement really lives.
struct TableLocation {
    QString name;             // the name as the program writes it (canonical spelling)
    QString schema;           // attached schema; empty for a table of the opened file itself
    QString sourceTable;      // the table's name inside that schema
    QString unavailable;      // why a linked table cannot be reached (file missing, wrong password, locked)
    int unavailableCode = 0;  // the SQLite result code behind it, when there is one
};

// Answers the translator's questions about the names of the opened database.
class NameResolver {
public:
    virtual ~NameResolver() = default;
    // A table or link of that name, compared without regard to case (umlauts included).
    virtual std::optional<TableLocation> table(const QString& name) const = 0;
    // The spelling of a column name in the schema, or empty text when no table has it.
    virtual QString column(const QString& name) const = 0;
    // The type of the columns of that name, when every table that has one agrees on it. The
    // translator uses it to read '05.01.2024' compared with a date field as a date, and to
    // turn + and - on dates and texts into Jet's date arithmetic and concatenation.
    virtual std::optional<JetType> columnType(const QString& name) const { return std::nullopt; }
    // Is the column the table's counter, the key every row has (never Null)? The translator
    // reads "table.counter Is Null" as False where no outer join can leave the field empty,
    // so that the remaining terms of an Or can use their indexes.
    virtual bool isCounter(const QString& table, const QString& column) const { return false; }
};

struct Translation {
    enum class Kind { Select, Insert, Update, Delete, Other };
    Kind kind = Kind::Other;
    QString sql;
    // Set for a SELECT over a single table without joins, grouping or DISTINCT: its rows can be
    // edited through editSql, which carries the row id as its last column (rowIdColumn).
    std::optional<TableLocation> editableTable;
    QString editSql;
};

// Turns Jet-dialect SQL into SQLite SQL by rewriting tokens (never regular expressions over the
// raw text), so that string literals, bracketed names and date literals are never torn apart.
// Translations are cached by statement text; clearCache() after the schema or links change.
class JetSql {
public:
    explicit JetSql(const NameResolver* names = nullptr) : names_(names) {}

    // Throws DatabaseError for statements that cannot be read (an open string, bracket or #).
    std::shared_ptr<const Translation> translate(const QString& jet, LikeMode mode = LikeMode::Dao);
    // The same without the cache.
    Translation translateUncached(const QString& jet, LikeMode mode = LikeMode::Dao) const;

    void clearCache() {
        dao_.clear();
        ado_.clear();
    }
    qsizetype cacheSize() const { return dao_.size() + ado_.size(); }

    static QString rowIdColumn() { return QStringLiteral("__rowid__"); }

private:
    const NameResolver* names_;
    // One cache per Like mode, keyed by the statement text itself: a hit costs one hash lookup.
    QHash<QString, std::shared_ptr<const Translation>> dao_;
    QHash<QString, std::shared_ptr<const Translation>> ado_;
};

}  // namespace tav
