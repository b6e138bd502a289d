#include "engine/Connection.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <climits>

#include "engine/DatabaseError.h"
#include "engine/JetText.h"
#include "engine/SqlFunctions.h"

namespace tav::detail {

namespace {
constexpr int kStatementCacheLimit = 96;
}

Connection::~Connection() {
    dropStatements();
    if (db) sqlite3_close_v2(db);
}

void Connection::dropStatements() {
    for (auto& list : statements)
        for (sqlite3_stmt* s : list) sqlite3_finalize(s);
    statements.clear();
    cachedStatements = 0;
    resultColumns.clear();
}

QString germanError(int code, const QString& msg) {
    const int primary = code & 0xFF;
    if (msg.startsWith(QLatin1String("no such table: ")))
        return QStringLiteral("Die Tabelle oder Abfrage '%1' wurde nicht gefunden.").arg(msg.mid(15));
    if (msg.startsWith(QLatin1String("no such column: "))) return QStringLiteral("Das Feld '%1' ist unbekannt.").arg(msg.mid(16));
    if (msg.startsWith(QLatin1String("no such function: ")))
        return QStringLiteral("Unbekannte Funktion '%1' im Ausdruck.").arg(msg.mid(18));
    static const QRegularExpression nearToken(QStringLiteral("^near \"(.*)\": syntax error$"));
    if (const auto m = nearToken.match(msg); m.hasMatch())
        return QStringLiteral("Syntaxfehler in der Abfrage bei »%1«.").arg(m.captured(1));
    if (msg.contains(QLatin1String("syntax error")) || msg.startsWith(QLatin1String("near ")))
        return QStringLiteral("Syntaxfehler in der Abfrage (%1).").arg(msg);
    if (msg == QLatin1String("string or blob too big"))
        return QStringLiteral("Nicht genügend Zeichenfolgenspeicher: der Text wird zu lang.");
    if (msg == QLatin1String("incomplete input")) return QStringLiteral("Die Abfrage ist unvollständig.");
    if (msg.startsWith(QLatin1String("unrecognized token: ")))
        return QStringLiteral("Unbekanntes Zeichen in der Abfrage: %1").arg(msg.mid(20));
    static const QRegularExpression arguments(QStringLiteral("^wrong number of arguments to function (?:jet_)?(\\w+)\\(\\)$"));
    if (const auto m = arguments.match(msg); m.hasMatch()) {
        const QString jet = sqlfunctions::jetName(QStringLiteral("jet_") + m.captured(1));
        return QStringLiteral("Falsche Anzahl an Argumenten für die Funktion '%1'.").arg(jet.isEmpty() ? m.captured(1) : jet);
    }
    static const QRegularExpression aggregate(QStringLiteral("^misuse of aggregate(?: function)?:? (?:jet_)?(\\w+)\\(\\)$"));
    if (const auto m = aggregate.match(msg); m.hasMatch())
        return QStringLiteral("Die Aggregatfunktion '%1' ist an dieser Stelle nicht erlaubt.").arg(m.captured(1));
    if (msg.contains(QLatin1String("do not have the same number of result columns")))
        return QStringLiteral("Die Teile der UNION-Abfrage liefern verschieden viele Felder.");
    if (msg.startsWith(QLatin1String("sub-select returns"))) return QStringLiteral("Die Unterabfrage darf nur ein Feld liefern.");
    if (msg.contains(QLatin1String("values were supplied")) || msg.contains(QLatin1String(" values for ")))
        return QStringLiteral("Die Zahl der Werte passt nicht zur Zahl der Felder.");
    if (msg.contains(QLatin1String("parser stack overflow")) || msg.contains(QLatin1String("too large")) ||
        msg.contains(QLatin1String("too many")))
        return QStringLiteral("Die Abfrage ist zu umfangreich oder zu tief verschachtelt (%1).").arg(msg);
    if (msg.contains(QLatin1String("GROUP BY clause is required"))) return QStringLiteral("HAVING ist nur zusammen mit GROUP BY erlaubt.");
    if (msg.startsWith(QLatin1String("ambiguous column name: ")))
        return QStringLiteral("Der Feldname '%1' kann sich auf mehrere Tabellen beziehen.").arg(msg.mid(23));
    switch (primary) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("Die Datenbank wird gerade von einem anderen Benutzer gesperrt. Bitte versuchen Sie es erneut.");
        case SQLITE_CONSTRAINT:
            if (msg.contains(QLatin1String("UNIQUE")) || msg.contains(QLatin1String("PRIMARY KEY")))
                return QStringLiteral("Der Datensatz wurde nicht gespeichert, weil er einen doppelten Schlüsselwert erzeugen würde.");
            if (msg.contains(QLatin1String("CHECK")))
                return QStringLiteral("Eine Zeichenfolge der Länge Null ist in diesem Feld nicht zulässig.");
            return QStringLiteral("Der Datensatz verletzt eine Regel der Tabelle (%1).").arg(msg);
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT: return QStringLiteral("Die Datei ist keine gültige Datenbank oder beschädigt.");
        case SQLITE_READONLY: return QStringLiteral("Die Datenbank ist schreibgeschützt.");
        case SQLITE_CANTOPEN: return QStringLiteral("Die Datenbankdatei kann nicht geöffnet werden.");
        case SQLITE_FULL: return QStringLiteral("Der Datenträger ist voll.");
        default: break;
    }
    // Errors raised by the Jet functions are German already; SQLite's own start in lower case.
    if (!msg.isEmpty() && msg.front().isLower() && msg.front().unicode() < 128)
        return QStringLiteral("Die Abfrage kann nicht ausgeführt werden: %1.").arg(msg);
    return msg;
}

namespace {

// The file whose lock another program holds: the first attached file that cannot be read at
// once. Empty when every file can be read again (the lock went in the meantime).
QString lockedFile(sqlite3* db) {
    const auto pragmaInt = [db](const char* sql) {
        sqlite3_stmt* st = nullptr;
        int value = -1;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) value = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        return value;
    };
    const int timeout = pragmaInt("PRAGMA busy_timeout");
    sqlite3_busy_timeout(db, 0);
    QString locked;
    sqlite3_stmt* list = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA database_list", -1, &list, nullptr) == SQLITE_OK) {
        while (locked.isEmpty() && sqlite3_step(list) == SQLITE_ROW) {
            const QByteArray schema = reinterpret_cast<const char*>(sqlite3_column_text(list, 1));
            const QByteArray file = reinterpret_cast<const char*>(sqlite3_column_text(list, 2));
            if (file.isEmpty()) continue;
            const QByteArray probe = "SELECT count(*) FROM \"" + QByteArray(schema).replace('"', "\"\"") + "\".sqlite_master";
            sqlite3_stmt* st = nullptr;
            int rc = sqlite3_prepare_v2(db, probe.constData(), -1, &st, nullptr);
            if (rc == SQLITE_OK) rc = sqlite3_step(st);
            sqlite3_finalize(st);
            if (DatabaseError::isLockCode(rc)) locked = QString::fromUtf8(file);
        }
    }
    sqlite3_finalize(list);
    if (timeout >= 0) sqlite3_busy_timeout(db, timeout);
    return locked;
}

}  // namespace

void Connection::fail(const QString& what, const QString& sql) const {
    const int code = db ? sqlite3_extended_errcode(db) : 0;
    QString message = what;
    if (!sql.isEmpty()) message += QStringLiteral("\nAbfrage: ") + sql;
    // A lock names the file that is locked, not the file the statement was given to.
    QString file = path;
    if (db && DatabaseError::isLockCode(code))
        if (const QString other = lockedFile(db); !other.isEmpty()) file = other;
    throw DatabaseError(message, code, file, what);
}

sqlite3_stmt* Connection::acquire(const QString& sql) {
    if (auto it = statements.find(sql); it != statements.end() && !it->isEmpty()) {
        --cachedStatements;
        return it->takeLast();
    }
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail(germanError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db))), sql);
    }
    if (!stmt) fail(QStringLiteral("Die Abfrage ist leer."), sql);
    if (tail && QByteArray(tail).trimmed().size() > 0) {
        sqlite3_finalize(stmt);
        fail(QStringLiteral("Es ist nur eine Anweisung je Abfrage erlaubt."), sql);
    }
    return stmt;
}

void Connection::release(sqlite3_stmt* stmt, int stmtGeneration) {
    if (!stmt) return;
    if (stmtGeneration != generation || cachedStatements >= kStatementCacheLimit) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    statements[QString::fromUtf8(sqlite3_sql(stmt))].push_back(stmt);
    ++cachedStatements;
}

void Connection::bind(sqlite3_stmt* stmt, const QVariantList& params) const {
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != params.size())
        throw DatabaseError(QStringLiteral("Die Abfrage erwartet %1 Parameter, übergeben wurden %2.").arg(expected).arg(params.size()));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        const int index = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(stmt, index);
        } else {
            switch (v.typeId()) {
                case QMetaType::Bool: rc = sqlite3_bind_int(stmt, index, v.toBool() ? -1 : 0); break;
                case QMetaType::Int:
                case QMetaType::UInt:
                case QMetaType::Short:
                case QMetaType::LongLong: rc = sqlite3_bind_int64(stmt, index, v.toLongLong()); break;
                case QMetaType::Double:
                case QMetaType::Float: rc = sqlite3_bind_double(stmt, index, v.toDouble()); break;
                case QMetaType::QDate:
                case QMetaType::QDateTime: {
                    const QByteArray t =
                        (v.typeId() == QMetaType::QDate ? jettypes::isoDate(v.toDate()) : jettypes::isoDate(v.toDateTime())).toUtf8();
                    rc = sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
                    break;
                }
                case QMetaType::QByteArray: {
                    const QByteArray b = v.toByteArray();
                    rc = sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                    break;
                }
                default: {
                    const QByteArray t = v.toString().toUtf8();
                    rc = sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
                }
            }
        }
        if (rc != SQLITE_OK) fail(germanError(rc, QString::fromUtf8(sqlite3_errmsg(db))));
    }
}

QList<FieldDef> Connection::fieldsOf(const QString& schema, const QString& table) {
    const QString key = schema + QLatin1Char('\n') + jettext::fold(table);
    if (auto it = fieldCache.constFind(key); it != fieldCache.cend()) return it.value();
    QList<FieldDef> fields;
    const QString sql = QStringLiteral("PRAGMA ") + (schema.isEmpty() ? QStringLiteral("main") : jettypes::quoteIdentifier(schema)) +
                        QStringLiteral(".table_info(") + jettypes::quoteIdentifier(table) + QLatin1Char(')');
    const QString createSql = [&] {
        sqlite3_stmt* s = nullptr;
        const QByteArray q =
            (QStringLiteral("SELECT sql FROM ") + (schema.isEmpty() ? QStringLiteral("main") : jettypes::quoteIdentifier(schema)) +
             QStringLiteral(".sqlite_master WHERE type='table' AND name=?"))
                .toUtf8();
        QString out;
        if (sqlite3_prepare_v2(db, q.constData(), -1, &s, nullptr) == SQLITE_OK) {
            const QByteArray t = table.toUtf8();
            sqlite3_bind_text(s, 1, t.constData(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(s) == SQLITE_ROW) out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        }
        sqlite3_finalize(s);
        return out;
    }();
    const bool autoIncrement = createSql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    sqlite3_stmt* s = nullptr;
    const QByteArray q = sql.toUtf8();
    if (sqlite3_prepare_v2(db, q.constData(), -1, &s, nullptr) == SQLITE_OK) {
        while (sqlite3_step(s) == SQLITE_ROW) {
            const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1)));
            const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 2)));
            const bool pk = sqlite3_column_int(s, 5) > 0;
            fields << jettypes::fromDeclared(name, type, pk, autoIncrement && pk);
        }
    }
    sqlite3_finalize(s);
    fieldCache.insert(key, fields);
    return fields;
}

QVariant columnValue(sqlite3_stmt* stmt, int column, const FieldDef* declared) {
    std::vector<char> arena;
    const Cell c = readCell(stmt, column, declared, arena);
    return cellValue(c, arena.data(), declared);
}

}  // namespace tav::detail
