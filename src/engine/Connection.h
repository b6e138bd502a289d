#pragma once

// Internal to the database engine: the state shared by a Database and its open recordsets.

#include <sqlite3.h>

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "engine/JetSql.h"
#include "engine/JetTypes.h"

namespace tav::detail {

// What a statement's result columns are, worked out once per prepared statement.
struct ResultColumns {
    QStringList names;                     // visible columns
    QHash<QString, int> index;             // folded name and "table.name" -> column
    QList<std::optional<FieldDef>> types;  // declared Jet type per column
    QStringList origins;                   // table column each result column comes from (editable sets)
    int rowIdColumn = -1;
    // Per column: how often its texts were found among the shared texts. A column whose texts
    // hardly repeat (short names, booking numbers) is no longer looked up.
    struct TextStats {
        int reads = 0;
        int hits = 0;
        bool off = false;
    };
    std::shared_ptr<std::vector<TextStats>> textStats;
};

// Short texts read from result rows, shared: the same guest name, room or booking kind is
// made into a QString once for all recordsets of a connection (the plan reads them on every
// refresh). Open addressing over a cheap hash of the bytes: looking a text up must cost less
// than decoding it again.
class TextCache {
public:
    static constexpr int kMaxBytes = 64;  // longer texts are not shared

    // The shared text for the UTF-8 bytes p[0, n), or nullptr; hash is hashOf(p, n).
    const QString* find(const char* p, int n, quint64 hash) const {
        if (slots_.empty()) return nullptr;
        for (size_t at = size_t(hash) & kMask;; at = (at + 1) & kMask) {
            const Slot& s = slots_[at];
            if (s.size < 0) return nullptr;
            // An empty text compares without memcmp: its pointers may be null.
            if (s.hash == hash && s.size == n && (n == 0 || std::memcmp(keys_.data() + s.offset, p, size_t(n)) == 0)) return &s.text;
        }
    }
    // Adds the text (which find() did not find); a full cache starts afresh.
    const QString& insert(const char* p, int n, quint64 hash) {
        if (slots_.empty() || size_t(count_) >= kCapacity / 2) {
            slots_.assign(kCapacity, Slot{});
            keys_.clear();
            count_ = 0;
        }
        size_t at = size_t(hash) & kMask;
        while (slots_[at].size >= 0) at = (at + 1) & kMask;
        Slot& s = slots_[at];
        s.hash = hash;
        s.size = n;
        s.offset = quint32(keys_.size());
        keys_.insert(keys_.end(), p, p + n);
        s.text = QString::fromUtf8(p, n);
        ++count_;
        return s.text;
    }
    static quint64 hashOf(const char* p, int n) {
        quint64 h = 0x9E3779B97F4A7C15ULL ^ quint64(n);
        int i = 0;
        for (; i + 8 <= n; i += 8) {
            quint64 w;
            std::memcpy(&w, p + i, 8);
            h = (h ^ w) * 0xBF58476D1CE4E5B9ULL;
            h ^= h >> 31;
        }
        quint64 tail = 0;
        for (int k = 0; i < n; ++i, k += 8) tail |= quint64(quint8(p[i])) << k;
        h = (h ^ tail) * 0x94D049BB133111EBULL;
        return h ^ (h >> 29);
    }

private:
    static constexpr size_t kCapacity = 32768;  // a power of two
    static constexpr size_t kMask = kCapacity - 1;
    struct Slot {
        quint64 hash = 0;
        int size = -1;  // -1: free
        quint32 offset = 0;
        QString text;
    };
    std::vector<Slot> slots_;
    std::vector<char> keys_;
    int count_ = 0;
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
    TextCache texts;

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
// taken whatever their storage class, as the field's type asks. Inline: it runs for every
// value of every row.
[[gnu::always_inline]] inline Cell readCell(sqlite3_stmt* stmt, int column, const FieldDef* declared, std::vector<char>& arena) {
    // One call into the statement per value; the value's parts are then read directly. The
    // value is "unprotected" (no mutex held), which is safe here: a connection is opened without
    // mutexes and used by one thread only.
    sqlite3_value* v = sqlite3_column_value(stmt, column);
    Cell c;
    const int storage = sqlite3_value_type(v);
    if (storage == SQLITE_NULL) return c;
    const bool asText = declared && (declared->type == JetType::Text || declared->type == JetType::Memo);
    const bool asBlob = declared && declared->type == JetType::LongBinary;
    const char* bytes = nullptr;
    if (asText || (storage == SQLITE_TEXT && !asBlob)) {
        c.kind = Cell::Text;
        bytes = reinterpret_cast<const char*>(sqlite3_value_text(v));
    } else if (asBlob || storage == SQLITE_BLOB) {
        c.kind = Cell::Blob;
        bytes = static_cast<const char*>(sqlite3_value_blob(v));
    } else if (storage == SQLITE_INTEGER) {
        c.kind = Cell::Integer;
        c.integer = sqlite3_value_int64(v);
        return c;
    } else {
        c.kind = Cell::Real;
        c.real = sqlite3_value_double(v);
        return c;
    }
    c.size = quint32(sqlite3_value_bytes(v));
    c.offset = qsizetype(arena.size());
    if (c.size > 0) arena.insert(arena.end(), bytes, bytes + c.size);
    return c;
}

namespace cells {
// Two or four digits at p as a number; -1 when one of them is not a digit.
inline int digits(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        const unsigned d = unsigned(p[i]) - '0';
        if (d > 9) return -1;
        v = v * 10 + int(d);
    }
    return v;
}

// A stored date ("yyyy-MM-dd", with " HH:mm" or " HH:mm:ss") read straight from the column's
// bytes: a QDate at midnight, else a QDateTime. False for any other text. The day number is
// worked out here: the calendar's general conversion costs more than reading the row.
inline bool isoDate(const char* p, int n, QVariant& out) {
    if ((n != 10 && n != 16 && n != 19) || p[4] != '-' || p[7] != '-') return false;
    const int y = digits(p, 4), mo = digits(p + 5, 2), d = digits(p + 8, 2);
    if (y < 1 || mo < 1 || mo > 12 || d < 1) return false;
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > kDays[mo - 1] + (mo == 2 && leap ? 1 : 0)) return false;
    const int a = (14 - mo) / 12, yy = y + 4800 - a, mm = mo + 12 * a - 3;
    const QDate date = QDate::fromJulianDay(d + (153 * mm + 2) / 5 + 365 * qint64(yy) + yy / 4 - yy / 100 + yy / 400 - 32045);
    if (n == 10) {
        out = QVariant(date);
        return true;
    }
    if ((p[10] != ' ' && p[10] != 'T') || p[13] != ':') return false;
    const int h = digits(p + 11, 2), mi = digits(p + 14, 2);
    int sec = 0;
    if (n == 19) {
        if (p[16] != ':') return false;
        sec = digits(p + 17, 2);
    }
    if (h < 0 || mi < 0 || sec < 0) return false;
    const QTime time(h, mi, sec);
    if (!time.isValid()) return false;
    if (time == QTime(0, 0))
        out = QVariant(date);
    else
        out = QVariant(QDateTime(date, time, Qt::UTC));
    return true;
}

// A text value built in place inside the variant (no copy of the string).
inline QVariant textValue(const char* p, int n) {
    QVariant v(QMetaType::fromType<QString>());
    *static_cast<QString*>(v.data()) = QString::fromUtf8(p, n);
    return v;
}

inline QVariant integerValue(qint64 v) {
    if (v >= INT_MIN && v <= INT_MAX) return QVariant(int(v));
    return QVariant(qlonglong(v));
}

}  // namespace cells

// The value of a cell typed by the column's declared Jet type (or its storage class for
// expressions): Yes/No as int −1/0, dates as QDate/QDateTime, Null as QVariant().
inline QVariant cellValue(const Cell& c, const char* arena, const FieldDef* declared) {
    const char* p = arena + ((c.kind == Cell::Text || c.kind == Cell::Blob) ? c.offset : 0);
    const int n = int(c.size);
    auto dateOrText = [&] {
        QVariant v;
        if (cells::isoDate(p, n, v)) return v;
        return cells::textValue(p, n);
    };
    if (c.kind == Cell::Null) return QVariant();
    if (declared) {
        switch (declared->type) {
            case JetType::Boolean:
                if (c.kind == Cell::Text) return cells::textValue(p, n);
                if (c.kind == Cell::Integer) return QVariant(c.integer != 0 ? -1 : 0);
                if (c.kind == Cell::Real) return QVariant(std::trunc(c.real) != 0.0 ? -1 : 0);
                return QVariant(0);
            case JetType::Byte:
            case JetType::Integer:
            case JetType::Long:
                if (c.kind == Cell::Integer) return cells::integerValue(c.integer);
                break;
            case JetType::Currency:
            case JetType::Single:
            case JetType::Double:
                if (c.kind == Cell::Integer) return QVariant(double(c.integer));
                if (c.kind == Cell::Real) return QVariant(c.real);
                break;
            case JetType::Date:
                if (c.kind == Cell::Text) return dateOrText();
                break;
            case JetType::Text:
            case JetType::Memo: return cells::textValue(p, n);
            case JetType::LongBinary: return QVariant(QByteArray(p, n));
        }
    }
    switch (c.kind) {
        case Cell::Integer: return cells::integerValue(c.integer);
        case Cell::Real: return QVariant(c.real);
        case Cell::Text: return declared ? cells::textValue(p, n) : dateOrText();
        case Cell::Blob: return QVariant(QByteArray(p, n));
        case Cell::Null: break;
    }
    return QVariant();
}

// Both at once, for a single value.
QVariant columnValue(sqlite3_stmt* stmt, int column, const FieldDef* declared);

// A German text for a SQLite error.
QString germanError(int code, const QString& sqliteMessage);

}  // namespace tav::detail
