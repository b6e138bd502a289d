#include "engine/Database.h"

#include <sqlite3.h>

#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QUrl>

#include <atomic>
#include <thread>

#include "engine/Connection.h"
#include "engine/DatabaseError.h"
#include "engine/JetText.h"
#include "engine/SqlFunctions.h"

namespace tav {

using detail::Connection;
using jettypes::quoteIdentifier;

namespace {

constexpr int kApplicationId = 0x54415630;  // "TAV0": a database file of this program
// Page cache per file, in KiB (negative: a size, not a page count). The plan reads a window's
// bookings and their guests scattered over the central file; with SQLite's 2 MiB each
// navigation read some sixty pages again from the operating system. The cache stays valid
// between transactions while no other program writes the file, and grows only as it is used.
constexpr auto kCacheSize = "-16384";
std::atomic<int> gBusyTimeout{10000};

QString lockedText(const QString& file) {
    return QStringLiteral("Die Datenbank '%1' wird gerade von einem anderen Arbeitsplatz benutzt.").arg(QDir::toNativeSeparators(file));
}

QString hashOf(const QString& salt, const QString& password) {
    return QString::fromLatin1(QCryptographicHash::hash((salt + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

bool isEngineTable(const QString& name) {
    return name.startsWith(QLatin1String("MSys"), Qt::CaseInsensitive) || name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

QString schemaPrefix(const QString& schema) {
    return (schema.isEmpty() ? QStringLiteral("main") : quoteIdentifier(schema)) + QLatin1Char('.');
}

// Numbers of any size count as one family when tables disagree on a column's type.
int typeFamily(JetType t) {
    switch (t) {
        case JetType::Date: return 1;
        case JetType::Text:
        case JetType::Memo: return 2;
        case JetType::LongBinary: return 3;
        default: return 0;
    }
}

// Runs a statement that returns no rows; throws with the German text on failure.
void run(Connection& c, const QString& sql, const QVariantList& params = {}) {
    sqlite3_stmt* stmt = c.acquire(sql);
    const int gen = c.generation;
    try {
        c.bind(stmt, params);
    } catch (...) {
        c.release(stmt, gen);
        throw;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE) {
        const QString msg = detail::germanError(sqlite3_extended_errcode(c.db), QString::fromUtf8(sqlite3_errmsg(c.db)));
        c.release(stmt, gen);
        c.fail(msg, sql);
    }
    c.release(stmt, gen);
}

// A single column of rows of a plain SQLite statement (no translation).
QStringList readColumn(Connection& c, const QString& sql, const QVariantList& params = {}) {
    QStringList out;
    sqlite3_stmt* stmt = c.acquire(sql);
    const int gen = c.generation;
    c.bind(stmt, params);
    while (sqlite3_step(stmt) == SQLITE_ROW) out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    c.release(stmt, gen);
    return out;
}

}  // namespace

// ---- connect strings --------------------------------------------------------------------

// A value with ";" (a folder "Hotel;Sommer"), a leading "{" or blanks at either end is written
// in braces, a "}" inside them doubled: ";DATABASE={C:\Hotel;Sommer\Zentral.mdb};PWD=…".
// Every other value is written as it is, so the connect strings of existing links stay valid.
namespace {

QString connectValue(const QString& value) {
    const bool plain = !value.contains(QLatin1Char(';')) && !value.startsWith(QLatin1Char('{')) && value.trimmed().size() == value.size();
    if (plain) return value;
    QString doubled = value;
    doubled.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + doubled + QLatin1Char('}');
}

}  // namespace

ConnectString ConnectString::parse(const QString& connect) {
    ConnectString out;
    qsizetype i = 0;
    const qsizetype n = connect.size();
    while (i < n) {
        // key=value up to the next ";" that is not inside braces
        const qsizetype eq = connect.indexOf(QLatin1Char('='), i);
        const qsizetype semicolon = connect.indexOf(QLatin1Char(';'), i);
        if (eq < 0) break;
        if (semicolon >= 0 && semicolon < eq) {  // a part without "=" (the leading ";")
            i = semicolon + 1;
            continue;
        }
        const QString key = connect.mid(i, eq - i).trimmed().toUpper();
        QString value;
        qsizetype j = eq + 1;
        if (j < n && connect[j] == QLatin1Char('{')) {
            for (++j; j < n; ++j) {
                if (connect[j] == QLatin1Char('}')) {
                    if (j + 1 < n && connect[j + 1] == QLatin1Char('}')) {
                        value += QLatin1Char('}');
                        ++j;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += connect[j];
            }
            // Anything between the closing brace and the next ";" is not part of the value.
            const qsizetype next = connect.indexOf(QLatin1Char(';'), j);
            i = next < 0 ? n : next + 1;
        } else {
            const qsizetype next = connect.indexOf(QLatin1Char(';'), j);
            value = connect.mid(j, (next < 0 ? n : next) - j);
            i = next < 0 ? n : next + 1;
        }
        if (key == QLatin1String("DATABASE"))
            out.database = value;
        else if (key == QLatin1String("PWD"))
            out.password = value;
    }
    return out;
}

QString ConnectString::make(const QString& database, const QString& password) {
    return QStringLiteral(";DATABASE=") + connectValue(database) + QStringLiteral(";PWD=") + connectValue(password);
}

// ---- open and create --------------------------------------------------------------------

Database::Database(const QString& path) : c_(std::make_shared<Connection>(this)) { c_->path = path; }

Database::~Database() {
    // Open recordsets keep the connection alive; they no longer resolve names through us.
    c_->translator = JetSql(nullptr);
}

std::unique_ptr<Database> Database::open(const QString& path, const QString& connect) {
    if (!QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("Die Datenbank '%1' wurde nicht gefunden.").arg(QDir::toNativeSeparators(path)));
    std::unique_ptr<Database> db(new Database(QFileInfo(path).absoluteFilePath()));
    db->openFile(false, ConnectString::parse(connect).password);
    return db;
}

void Database::setBusyTimeout(int milliseconds) { gBusyTimeout = milliseconds; }
int Database::busyTimeout() { return gBusyTimeout.load(); }

std::unique_ptr<Database> Database::create(const QString& path, const QString& password) {
    if (QFileInfo::exists(path))
        throw DatabaseError(QStringLiteral("Die Datenbank '%1' existiert bereits.").arg(QDir::toNativeSeparators(path)));
    std::unique_ptr<Database> db(new Database(QFileInfo(path).absoluteFilePath()));
    db->openFile(true, password);
    return db;
}

void Database::openFile(bool create, const QString& password) {
    Connection& c = *c_;
    // One connection serves one thread (the user interface): no mutex around every call.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const QByteArray file = c.path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &c.db, flags, nullptr) != SQLITE_OK)
        throw DatabaseError(QStringLiteral("Die Datenbank '%1' kann nicht geöffnet werden.").arg(QDir::toNativeSeparators(c.path)));
    sqlite3_extended_result_codes(c.db, 1);
    sqlite3_busy_timeout(c.db, gBusyTimeout.load());
    sqlfunctions::registerAll(c.db);
    try {
        // Rollback journal, not WAL: WAL does not work on shared network folders.
        run(c, QStringLiteral("PRAGMA journal_mode=DELETE"));
        run(c, QStringLiteral("PRAGMA main.cache_size=") + QLatin1String(kCacheSize));
        if (create) {
            const QString salt = QString::number(QRandomGenerator::system()->generate64(), 16);
            run(c, QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId));
            run(c, QStringLiteral("CREATE TABLE MSysAccess (Salt TEXT, Hash TEXT)"));
            run(c, QStringLiteral("INSERT INTO MSysAccess (Salt, Hash) VALUES (?, ?)"), {salt, hashOf(salt, password)});
            run(c, QStringLiteral("CREATE TABLE MSysLinks (Name TEXT PRIMARY KEY COLLATE JETTEXT, Connect TEXT, SourceTable TEXT)"));
        } else {
            QStringList row;
            try {
                row = readColumn(c, QStringLiteral("SELECT Salt || char(10) || Hash FROM MSysAccess"));
            } catch (const DatabaseError&) {
                throw DatabaseError(
                    QStringLiteral("Die Datei '%1' ist keine Datenbank dieses Programms.").arg(QDir::toNativeSeparators(c.path)));
            }
            const QStringList parts = row.value(0).split(QLatin1Char('\n'));
            if (parts.size() != 2 || hashOf(parts[0], password) != parts[1]) throw DatabaseError(QStringLiteral("Kein gültiges Kennwort."));
        }
        loadSchema();
    } catch (...) {
        c.dropStatements();
        sqlite3_close_v2(c.db);
        c.db = nullptr;
        throw;
    }
}

const QString& Database::path() const { return c_->path; }
sqlite3* Database::handle() const { return c_->db; }

// ---- names ------------------------------------------------------------------------------

QString Database::attachFor(const QString& file, const QString& password, QString& problem, int& problemCode) {
    const QString absolute = QFileInfo(file).absoluteFilePath();
    if (auto it = attached_.constFind(absolute); it != attached_.cend()) return it.value();
    if (auto it = unreachable_.constFind(absolute); it != unreachable_.cend()) {
        problem = it->first;
        problemCode = it->second;
        return {};
    }
    if (!QFileInfo(absolute).isFile()) {
        problem = QStringLiteral("Die Datei '%1' wurde nicht gefunden.").arg(QDir::toNativeSeparators(file));
        return {};
    }
    if (QFileInfo(absolute) == QFileInfo(c_->path)) return QStringLiteral("main");
    const QString alias = QStringLiteral("link%1").arg(attached_.size() + 1);
    const QString uri = QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw");
    try {
        run(*c_, QStringLiteral("ATTACH DATABASE ? AS ") + quoteIdentifier(alias), {uri});
    } catch (const DatabaseError& e) {
        problem = e.locked() ? lockedText(file) : e.message();
        problemCode = e.code();
        unreachable_.insert(absolute, {problem, problemCode});
        return {};
    }
    QStringList row;
    try {
        row = readColumn(*c_,
                         QStringLiteral("SELECT Salt || char(10) || Hash FROM ") + quoteIdentifier(alias) + QStringLiteral(".MSysAccess"));
    } catch (const DatabaseError& e) {
        if (e.locked()) {
            // A lock is not a wrong password: the file is fine, another workstation holds it.
            run(*c_, QStringLiteral("DETACH DATABASE ") + quoteIdentifier(alias));
            problem = lockedText(file);
            problemCode = e.code();
            unreachable_.insert(absolute, {problem, problemCode});
            return {};
        }
    }
    const QStringList parts = row.value(0).split(QLatin1Char('\n'));
    if (parts.size() != 2 || hashOf(parts[0], password) != parts[1]) {
        run(*c_, QStringLiteral("DETACH DATABASE ") + quoteIdentifier(alias));
        problem = QStringLiteral("Kein gültiges Kennwort für die Datei '%1'.").arg(QDir::toNativeSeparators(file));
        return {};
    }
    attached_.insert(absolute, alias);
    run(*c_, QStringLiteral("PRAGMA ") + quoteIdentifier(alias) + QStringLiteral(".cache_size=") + QLatin1String(kCacheSize));
    if (!durable_) run(*c_, QStringLiteral("PRAGMA ") + quoteIdentifier(alias) + QStringLiteral(".synchronous=OFF"));
    return alias;
}

void Database::loadSchema() {
    Connection& c = *c_;
    unreachable_.clear();
    c.tables.clear();
    c.columns.clear();
    c.columnTypes.clear();
    c.fieldCache.clear();
    QSet<QString> mixed;  // names whose tables disagree on the type
    auto addColumns = [&](const QString& schema, const QString& table) {
        for (const FieldDef& f : c.fieldsOf(schema, table)) {
            const QString key = jettext::fold(f.name);
            if (!c.columns.contains(key)) {
                c.columns.insert(key, f.name);
                c.columnTypes.insert(key, f.type);
            } else if (typeFamily(c.columnTypes.value(key, f.type)) != typeFamily(f.type)) {
                mixed.insert(key);
            }
        }
    };
    for (const QString& name : readColumn(c, QStringLiteral("SELECT name FROM main.sqlite_master WHERE type='table'"))) {
        if (name.startsWith(QLatin1String("sqlite_"))) continue;
        c.tables.insert(jettext::fold(name), TableLocation{name, {}, name, {}});
        addColumns({}, name);
    }
    // Links: every source file is attached once; a missing file leaves its links unavailable.
    sqlite3_stmt* stmt = c.acquire(QStringLiteral("SELECT Name, Connect, SourceTable FROM MSysLinks"));
    const int gen = c.generation;
    QList<std::array<QString, 3>> links;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        std::array<QString, 3> link;
        for (int i = 0; i < 3; ++i) link[i] = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
        links << link;
    }
    c.release(stmt, gen);
    for (const auto& link : links) {
        const ConnectString cs = ConnectString::parse(link[1]);
        const QString source = link[2].isEmpty() ? link[0] : link[2];
        QString problem;
        int problemCode = 0;
        const QString schema = attachFor(cs.database, cs.password, problem, problemCode);
        TableLocation loc{link[0], schema == QLatin1String("main") ? QString() : schema, source, problem, problemCode};
        if (problem.isEmpty()) {
            const QStringList found = readColumn(c,
                                                 QStringLiteral("SELECT name FROM ") + schemaPrefix(loc.schema) +
                                                     QStringLiteral("sqlite_master WHERE type='table' AND name = ? COLLATE JETTEXT"),
                                                 {source});
            if (found.isEmpty()) {
                loc.unavailable = QStringLiteral("Die verknüpfte Tabelle '%1' ist in der Datei '%2' nicht vorhanden.")
                                      .arg(source, QDir::toNativeSeparators(cs.database));
            } else {
                loc.sourceTable = found.front();
                addColumns(loc.schema, loc.sourceTable);
            }
        }
        c.tables.insert(jettext::fold(link[0]), loc);
    }
    for (const QString& key : mixed) c.columnTypes.remove(key);
}

void Database::schemaChanged() {
    c_->generation++;
    c_->dropStatements();
    c_->translator.clearCache();
    loadSchema();
}

std::optional<TableLocation> Database::locate(const QString& name) const {
    if (auto it = c_->tables.constFind(jettext::fold(name)); it != c_->tables.cend()) return it.value();
    return std::nullopt;
}

std::optional<TableLocation> Database::table(const QString& name) const { return locate(name); }

QString Database::column(const QString& name) const { return c_->columns.value(jettext::fold(name)); }

std::optional<JetType> Database::columnType(const QString& name) const {
    if (auto it = c_->columnTypes.constFind(jettext::fold(name)); it != c_->columnTypes.cend()) return it.value();
    return std::nullopt;
}

bool Database::isCounter(const QString& table, const QString& column) const {
    const auto def = tableDef(table);
    if (!def) return false;
    const FieldDef* f = def->field(column);
    return f && f->counter;
}

// ---- queries ----------------------------------------------------------------------------

QString Database::translate(const QString& jetSql) { return c_->translator.translate(jetSql, c_->likeMode)->sql; }
void Database::setLikeMode(LikeMode mode) { c_->likeMode = mode; }
LikeMode Database::likeMode() const { return c_->likeMode; }

void Database::setDurable(bool durable) {
    durable_ = durable;
    const QString level = durable ? QStringLiteral("FULL") : QStringLiteral("OFF");
    run(*c_, QStringLiteral("PRAGMA main.synchronous=") + level);
    for (const QString& alias : std::as_const(attached_))
        run(*c_, QStringLiteral("PRAGMA ") + quoteIdentifier(alias) + QStringLiteral(".synchronous=") + level);
}

Recordset Database::openRecordset(const QString& jetSql, const QVariantList& params) {
    return Recordset(c_, c_->translator.translate(jetSql, c_->likeMode), params);
}

int Database::execute(const QString& jetSql, const QVariantList& params) {
    const auto t = c_->translator.translate(jetSql, c_->likeMode);
    run(*c_, t->sql, params);
    return sqlite3_changes(c_->db);
}

QVariant Database::scalar(const QString& jetSql, const QVariantList& params) {
    Recordset rs = openRecordset(jetSql, params);
    if (rs.eof()) return QVariant();
    return rs.value(0);
}

QList<qint64> Database::integerColumn(const QString& jetSql, const QVariantList& params) {
    const auto t = c_->translator.translate(jetSql, c_->likeMode);
    sqlite3_stmt* stmt = c_->acquire(t->sql);
    const int gen = c_->generation;
    QList<qint64> out;
    try {
        c_->bind(stmt, params);
    } catch (...) {
        c_->release(stmt, gen);
        throw;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) out << sqlite3_column_int64(stmt, 0);
    if (rc != SQLITE_DONE) {
        const QString msg = detail::germanError(sqlite3_extended_errcode(c_->db), QString::fromUtf8(sqlite3_errmsg(c_->db)));
        c_->release(stmt, gen);
        c_->fail(msg, t->sql);
    }
    c_->release(stmt, gen);
    return out;
}

// ---- transactions -----------------------------------------------------------------------

void Database::beginTrans(bool immediate) {
    if (transactionDepth_ == 0)
        run(*c_, immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    else
        run(*c_, QStringLiteral("SAVEPOINT tav_%1").arg(transactionDepth_));
    ++transactionDepth_;
}

void Database::beginWrite(const QString& table) {
    const auto loc = locate(table);
    if (!loc) throw DatabaseError(QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(table));
    if (!loc->unavailable.isEmpty()) throw DatabaseError(loc->unavailable, loc->unavailableCode);
    beginTrans(false);
    if (transactionDepth_ > 1) return;  // the outer transaction decides the locks
    try {
        // A write that changes nothing still takes the file's write lock (waiting for it up to
        // the busy timeout), and only that file's.
        run(*c_, QStringLiteral("UPDATE ") + schemaPrefix(loc->schema) + quoteIdentifier(loc->sourceTable) +
                     QStringLiteral(" SET rowid = rowid WHERE 0"));
    } catch (...) {
        rollback();
        throw;
    }
}

void Database::commitTrans() {
    if (transactionDepth_ == 0) throw DatabaseError(QStringLiteral("Es ist keine Transaktion offen."));
    --transactionDepth_;
    if (transactionDepth_ == 0)
        run(*c_, QStringLiteral("COMMIT"));
    else
        run(*c_, QStringLiteral("RELEASE tav_%1").arg(transactionDepth_));
}

void Database::rollback() {
    if (transactionDepth_ == 0) throw DatabaseError(QStringLiteral("Es ist keine Transaktion offen."));
    --transactionDepth_;
    if (transactionDepth_ == 0) {
        if (!sqlite3_get_autocommit(c_->db)) run(*c_, QStringLiteral("ROLLBACK"));
    } else {
        run(*c_, QStringLiteral("ROLLBACK TO tav_%1").arg(transactionDepth_));
        run(*c_, QStringLiteral("RELEASE tav_%1").arg(transactionDepth_));
    }
}

int Database::transactionDepth() const { return transactionDepth_; }

// ---- table definitions ------------------------------------------------------------------

std::optional<TableDef> Database::tableDef(const QString& name) const {
    const auto loc = locate(name);
    if (!loc || isEngineTable(loc->name)) return std::nullopt;
    TableDef def;
    def.name = loc->name;
    if (!loc->schema.isEmpty() || !loc->unavailable.isEmpty() || loc->sourceTable != loc->name) {
        // a link: read its connect string back
        const QStringList connect = readColumn(*c_, QStringLiteral("SELECT Connect FROM main.MSysLinks WHERE Name = ?"), {loc->name});
        if (!connect.isEmpty()) {
            def.connect = connect.front();
            def.sourceTableName = loc->sourceTable;
        }
    }
    if (loc->unavailable.isEmpty()) def.fields = c_->fieldsOf(loc->schema, loc->sourceTable);
    for (const FieldDef& f : def.fields)
        if (f.counter) def.primaryKey = {f.name};
    return def;
}

QList<TableDef> Database::tableDefs() const {
    QList<TableDef> out;
    QStringList names;
    for (const TableLocation& loc : c_->tables)
        if (!isEngineTable(loc.name)) names << loc.name;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return jettext::compare(a, b) < 0; });
    for (const QString& n : names)
        if (auto def = tableDef(n)) out << *def;
    return out;
}

bool Database::hasTableDef(const QString& name) const {
    const auto loc = locate(name);
    return loc && !isEngineTable(loc->name);
}

void Database::createYesNoTriggers(const QString& schema, const QString& table, const QString& field) {
    // A check box writes 1 for ticked; Jet stores every non-zero Yes/No value as True (−1).
    const QString base = QStringLiteral("tav_yesno_") + table + QLatin1Char('_') + field;
    const QString body = QStringLiteral(" WHEN NEW.") + quoteIdentifier(field) + QStringLiteral(" NOT IN (0, -1) BEGIN UPDATE ") +
                         quoteIdentifier(table) + QStringLiteral(" SET ") + quoteIdentifier(field) +
                         QStringLiteral(" = -1 WHERE rowid = NEW.rowid; END");
    run(*c_, QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") + schemaPrefix(schema) + quoteIdentifier(base + QStringLiteral("_i")) +
                 QStringLiteral(" AFTER INSERT ON ") + quoteIdentifier(table) + body);
    run(*c_, QStringLiteral("CREATE TRIGGER IF NOT EXISTS ") + schemaPrefix(schema) + quoteIdentifier(base + QStringLiteral("_u")) +
                 QStringLiteral(" AFTER UPDATE OF ") + quoteIdentifier(field) + QStringLiteral(" ON ") + quoteIdentifier(table) + body);
}

void Database::createTable(const TableDef& def) {
    if (locate(def.name)) throw DatabaseError(QStringLiteral("Die Tabelle '%1' existiert bereits.").arg(def.name));
    QStringList columns;
    const bool singleKey = def.primaryKey.size() == 1;
    for (const FieldDef& f : def.fields)
        columns << jettypes::columnDefinition(f,
                                              singleKey && f.name.compare(def.primaryKey.front(), Qt::CaseInsensitive) == 0 && !f.counter);
    if (def.primaryKey.size() > 1) {
        QStringList keys;
        for (const QString& k : def.primaryKey) keys << quoteIdentifier(k);
        columns << QStringLiteral("PRIMARY KEY (") + keys.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    if (columns.isEmpty()) throw DatabaseError(QStringLiteral("Die Tabelle '%1' hat keine Felder.").arg(def.name));
    run(*c_, QStringLiteral("CREATE TABLE main.") + quoteIdentifier(def.name) + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                 QLatin1Char(')'));
    for (const FieldDef& f : def.fields)
        if (f.type == JetType::Boolean) createYesNoTriggers({}, def.name, f.name);
    for (const IndexDef& index : def.indexes) {
        QStringList cols;
        for (const QString& f : index.fields) cols << quoteIdentifier(f);
        run(*c_, QStringLiteral("CREATE ") + (index.unique ? QStringLiteral("UNIQUE ") : QString()) + QStringLiteral("INDEX main.") +
                     quoteIdentifier(def.name + QLatin1Char('_') + index.name) + QStringLiteral(" ON ") + quoteIdentifier(def.name) +
                     QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
    schemaChanged();
}

void Database::addField(const QString& table, const FieldDef& field) {
    const auto loc = locate(table);
    if (!loc) throw DatabaseError(QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(table));
    if (!loc->unavailable.isEmpty()) throw DatabaseError(loc->unavailable, loc->unavailableCode);
    for (const FieldDef& f : c_->fieldsOf(loc->schema, loc->sourceTable))
        if (jettext::compare(f.name, field.name) == 0)
            throw DatabaseError(QStringLiteral("Das Feld '%1' ist in der Tabelle '%2' bereits vorhanden.").arg(field.name, table));
    run(*c_, QStringLiteral("ALTER TABLE ") + schemaPrefix(loc->schema) + quoteIdentifier(loc->sourceTable) +
                 QStringLiteral(" ADD COLUMN ") + jettypes::columnDefinition(field, false));
    if (field.type == JetType::Boolean) createYesNoTriggers(loc->schema, loc->sourceTable, field.name);
    schemaChanged();
}

void Database::dropTable(const QString& name) {
    const auto loc = locate(name);
    if (!loc) throw DatabaseError(QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(name));
    if (!loc->schema.isEmpty() || loc->sourceTable != loc->name) {
        deleteLink(name);
        return;
    }
    run(*c_, QStringLiteral("DROP TABLE main.") + quoteIdentifier(loc->sourceTable));
    schemaChanged();
}

void Database::dropField(const QString& table, const QString& field) {
    const auto loc = locate(table);
    if (!loc) throw DatabaseError(QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(table));
    // Triggers and indexes on the field go first, or SQLite refuses.
    const QString prefix = schemaPrefix(loc->schema);
    for (const QString& trig : readColumn(*c_,
                                          QStringLiteral("SELECT name FROM ") + prefix +
                                              QStringLiteral("sqlite_master WHERE type='trigger' AND tbl_name = ? AND name LIKE ?"),
                                          {loc->sourceTable, QStringLiteral("tav_yesno_*_") + field + QStringLiteral("_*")}))
        run(*c_, QStringLiteral("DROP TRIGGER ") + prefix + quoteIdentifier(trig));
    for (const QString& idx : readColumn(*c_,
                                         QStringLiteral("SELECT name FROM ") + prefix +
                                             QStringLiteral("sqlite_master WHERE type='index' AND tbl_name = ? AND sql IS NOT NULL"),
                                         {loc->sourceTable})) {
        const QStringList cols = readColumn(*c_, QStringLiteral("SELECT name FROM pragma_index_info(?, ?)"),
                                            {idx, loc->schema.isEmpty() ? QStringLiteral("main") : loc->schema});
        for (const QString& col : cols)
            if (col.compare(field, Qt::CaseInsensitive) == 0) run(*c_, QStringLiteral("DROP INDEX ") + prefix + quoteIdentifier(idx));
    }
    run(*c_, QStringLiteral("ALTER TABLE ") + prefix + quoteIdentifier(loc->sourceTable) + QStringLiteral(" DROP COLUMN ") +
                 quoteIdentifier(field));
    schemaChanged();
}

void Database::executeNative(const QString& sqliteSql, const QVariantList& params) { run(*c_, sqliteSql, params); }

void Database::createIndex(const QString& table, const IndexDef& index) {
    const auto loc = locate(table);
    if (!loc) throw DatabaseError(QStringLiteral("Die Tabelle '%1' wurde nicht gefunden.").arg(table));
    QStringList cols;
    for (const QString& f : index.fields) cols << quoteIdentifier(f);
    run(*c_, QStringLiteral("CREATE ") + (index.unique ? QStringLiteral("UNIQUE ") : QString()) + QStringLiteral("INDEX IF NOT EXISTS ") +
                 schemaPrefix(loc->schema) + quoteIdentifier(loc->sourceTable + QLatin1Char('_') + index.name) + QStringLiteral(" ON ") +
                 quoteIdentifier(loc->sourceTable) + QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QLatin1Char(')'));
    schemaChanged();
}

bool Database::hasIndex(const QString& table, const QString& indexName) const {
    const auto loc = locate(table);
    if (!loc || !loc->unavailable.isEmpty()) return false;
    return !readColumn(*c_,
                       QStringLiteral("SELECT name FROM ") + schemaPrefix(loc->schema) +
                           QStringLiteral("sqlite_master WHERE type='index' AND name = ? COLLATE JETTEXT"),
                       {loc->sourceTable + QLatin1Char('_') + indexName})
                .isEmpty();
}

// ---- links ------------------------------------------------------------------------------

namespace {

// Is the named table present in that file (opened with its password)?
void checkSource(const QString& connect, const QString& table) {
    const ConnectString cs = ConnectString::parse(connect);
    auto source = Database::open(cs.database, ConnectString::make(cs.database, cs.password));
    if (!source->hasTableDef(table) || source->table(table)->schema.size() > 0 || source->tableDef(table)->isLinked())
        throw DatabaseError(
            QStringLiteral("Die Tabelle '%1' ist in der Datei '%2' nicht vorhanden.").arg(table, QDir::toNativeSeparators(cs.database)));
}

}  // namespace

void Database::createLink(const QString& name, const QString& connect, const QString& sourceTable) {
    if (locate(name)) throw DatabaseError(QStringLiteral("Die Tabelle '%1' existiert bereits.").arg(name));
    const QString source = sourceTable.isEmpty() ? name : sourceTable;
    checkSource(connect, source);
    run(*c_, QStringLiteral("INSERT INTO main.MSysLinks (Name, Connect, SourceTable) VALUES (?, ?, ?)"), {name, connect, source});
    schemaChanged();
}

void Database::refreshLink(const QString& name, const QString& connect) {
    const QStringList sources = readColumn(*c_, QStringLiteral("SELECT SourceTable FROM main.MSysLinks WHERE Name = ?"), {name});
    if (sources.isEmpty()) throw DatabaseError(QStringLiteral("'%1' ist keine verknüpfte Tabelle.").arg(name));
    checkSource(connect, sources.front().isEmpty() ? name : sources.front());
    run(*c_, QStringLiteral("UPDATE main.MSysLinks SET Connect = ? WHERE Name = ?"), {connect, name});
    // Files no longer named by any link are detached, so the old file is free again.
    if (transactionDepth_ == 0) {
        for (auto it = attached_.begin(); it != attached_.end();) {
            run(*c_, QStringLiteral("DETACH DATABASE ") + quoteIdentifier(it.value()));
            it = attached_.erase(it);
        }
    }
    schemaChanged();
}

void Database::deleteLink(const QString& name) {
    run(*c_, QStringLiteral("DELETE FROM main.MSysLinks WHERE Name = ?"), {name});
    schemaChanged();
}

// ---- maintenance ------------------------------------------------------------------------

void Database::repair(const QString& path, const QString& connect) {
    auto db = open(path, connect);
    const QStringList check = readColumn(*db->c_, QStringLiteral("PRAGMA main.integrity_check"));
    if (check.value(0) != QLatin1String("ok")) {
        run(*db->c_, QStringLiteral("REINDEX"));
        const QStringList again = readColumn(*db->c_, QStringLiteral("PRAGMA main.integrity_check"));
        if (again.value(0) != QLatin1String("ok"))
            throw DatabaseError(QStringLiteral("Die Datenbank '%1' konnte nicht repariert werden: %2")
                                    .arg(QDir::toNativeSeparators(path), again.join(QLatin1Char(' '))));
    }
}

void Database::compact(const QString& path, const QString& target, const QString& connect) {
    if (QFileInfo::exists(target))
        throw DatabaseError(QStringLiteral("Die Datei '%1' existiert bereits.").arg(QDir::toNativeSeparators(target)));
    auto db = open(path, connect);
    run(*db->c_, QStringLiteral("VACUUM main INTO ?"), {QFileInfo(target).absoluteFilePath()});
}

void Database::backup(const QString& path, const QString& target, const QString& connect) {
    const QString native = QDir::toNativeSeparators(target);
    if (QFileInfo::exists(target)) throw DatabaseError(QStringLiteral("Die Datei '%1' existiert bereits.").arg(native));
    auto source = open(path, connect);
    sqlite3* copy = nullptr;
    const QByteArray file = QFileInfo(target).absoluteFilePath().toUtf8();
    auto fail = [&](const QString& why, int code) {
        if (copy) sqlite3_close_v2(copy);
        QFile::remove(target);
        QFile::remove(target + QStringLiteral("-journal"));
        throw DatabaseError(QStringLiteral("Die Datenbank '%1' konnte nicht nach '%2' gesichert werden: %3")
                                .arg(QDir::toNativeSeparators(path), native, why),
                            code);
    };
    if (sqlite3_open_v2(file.constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        fail(QStringLiteral("Die Datei kann nicht angelegt werden."), SQLITE_CANTOPEN);
    // The copy is a new file that nobody reads before it is complete: it needs no journal, and
    // one sync at the end instead of one per write.
    sqlite3_exec(copy, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_backup* b = sqlite3_backup_init(copy, "main", source->handle(), "main");
    if (!b) fail(QString::fromUtf8(sqlite3_errmsg(copy)), sqlite3_extended_errcode(copy));
    // All pages in one step: the source's read lock is held from the first page to the last.
    // A writer holding the file makes the step busy; it is tried again until the busy timeout.
    int rc = SQLITE_OK;
    const int versuche = qMax(1, busyTimeout() / 20);
    for (int i = 0; i < versuche; ++i) {
        rc = sqlite3_backup_step(b, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const int finish = sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE) fail(QString::fromUtf8(sqlite3_errstr(rc)), rc);
    if (finish != SQLITE_OK) fail(QString::fromUtf8(sqlite3_errstr(finish)), finish);
    if (sqlite3_close_v2(copy) != SQLITE_OK) {
        copy = nullptr;
        fail(QStringLiteral("Die Datei kann nicht geschlossen werden."), SQLITE_IOERR);
    }
    copy = nullptr;
    QFile written(target);
    if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0)
        fail(QStringLiteral("Die Datei kann nicht auf die Platte geschrieben werden."), SQLITE_IOERR);
}

QString Database::integrityProblem(const QString& path, const QString& connect) {
    try {
        auto db = open(path, connect);
        const QStringList check = readColumn(*db->c_, QStringLiteral("PRAGMA main.integrity_check"));
        return check.value(0) == QLatin1String("ok") ? QString() : check.join(QLatin1Char(' '));
    } catch (const DatabaseError& e) {
        return e.message();
    }
}

QString Database::quickCheckProblem(const QString& path, const QString& connect) {
    try {
        auto db = open(path, connect);
        const QStringList check = readColumn(*db->c_, QStringLiteral("PRAGMA main.quick_check"));
        return check.value(0) == QLatin1String("ok") ? QString() : check.join(QLatin1Char(' '));
    } catch (const DatabaseError& e) {
        return e.message();
    }
}

}  // namespace tav
