#include "engine/Recordset.h"

#include <sqlite3.h>

#include <QDate>
#include <array>
#include <vector>

#include "engine/Connection.h"
#include "engine/DatabaseError.h"
#include "engine/JetText.h"

namespace tav {

using detail::Connection;

namespace {
enum class EditMode { None, Edit, AddNew };

[[noreturn]] void noCurrentRow() { throw DatabaseError(QStringLiteral("Kein aktueller Datensatz.")); }
}  // namespace

struct Recordset::State {
    std::shared_ptr<Connection> c;
    std::shared_ptr<const Translation> translation;
    sqlite3_stmt* stmt = nullptr;
    int stmtGeneration = 0;
    bool exhausted = false;

    QStringList names;                     // visible columns
    QHash<QString, int> index;             // folded name and "table.name" -> column
    QList<std::optional<FieldDef>> types;  // declared Jet type per column
    QList<const FieldDef*> declared;       // the same as pointers, nullptr for expressions
    QStringList origins;                   // table column each result column comes from (editable sets)
    int rowIdColumn = -1;
    // Names as a caller passes them, by the address of their characters: a loop reading
    // rs.value("Kürzel") row after row finds the column without hashing the name again. The
    // copy of the name keeps its characters alive (and unchanged) for as long as it is listed.
    struct NameSlot {
        const void* data = nullptr;
        qsizetype size = -1;
        int column = -1;
    };
    mutable std::array<NameSlot, 256> nameSlots;
    mutable QList<QString> namesSeen;
    // The names in the order the caller read them on the first row: the next rows are read in
    // the same order, so the next name is usually the one expected.
    mutable std::vector<NameSlot> sequence;
    mutable size_t next = 0;
    mutable bool learning = true;

    void moved(qsizetype to) {
        pos = to;
        next = 0;
        if (!sequence.empty()) learning = false;
    }

    struct Row {
        qint64 rowId = 0;
        bool deleted = false;
    };
    QList<Row> rows;
    std::vector<detail::Cell> cells;    // names.size() cells per row, row after row
    std::vector<char> arena;            // bytes of the text and blob cells
    QHash<qsizetype, QVariant> edited;  // cell -> value read back after Update
    qsizetype pos = 0;                  // current row; rows.size() = EOF; -1 = BOF

    EditMode mode = EditMode::None;
    QHash<QString, QPair<QString, QVariant>> pending;  // folded field -> (field name, stored value)
    QHash<QString, QVariant> lastModifiedRow;          // folded field -> value, of the row last written
    QString keyField;

    ~State() { finish(); }

    void finish() {
        if (stmt) {
            c->release(stmt, stmtGeneration);
            stmt = nullptr;
        }
        exhausted = true;
    }

    bool fetch() {  // reads one more row; false at the end
        if (exhausted) return false;
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            const int n = int(names.size());
            const FieldDef* const* decl = declared.constData();
            if (cells.empty()) {
                cells.reserve(size_t(n) * 64);
                arena.reserve(4096);
            }
            for (int i = 0; i < n; ++i) cells.push_back(detail::readCell(stmt, i, decl[i], arena));
            rows.push_back(Row{rowIdColumn >= 0 ? sqlite3_column_int64(stmt, rowIdColumn) : 0, false});
            return true;
        }
        const QString msg =
            rc == SQLITE_DONE ? QString() : detail::germanError(sqlite3_extended_errcode(c->db), QString::fromUtf8(sqlite3_errmsg(c->db)));
        finish();
        if (!msg.isEmpty()) c->fail(msg, translation->sql);
        return false;
    }

    void fetchAll() {
        while (fetch()) {}
    }

    // Moves to the next live row at or after p, reading rows as needed.
    void settle(qsizetype p) {
        for (;;) {
            while (p >= rows.size() && fetch()) {}
            if (p >= rows.size()) {
                moved(rows.size());
                return;
            }
            if (!rows[p].deleted) {
                moved(p);
                return;
            }
            ++p;
        }
    }

    const Row& current() const {
        if (pos < 0 || pos >= rows.size() || rows[pos].deleted) noCurrentRow();
        return rows[pos];
    }

    QString qualifiedTable() const {
        const TableLocation& t = *translation->editableTable;
        return (t.schema.isEmpty() ? QStringLiteral("main") : jettypes::quoteIdentifier(t.schema)) + QLatin1Char('.') +
               jettypes::quoteIdentifier(t.sourceTable);
    }

    QList<FieldDef> tableFields() const {
        const TableLocation& t = *translation->editableTable;
        return c->fieldsOf(t.schema, t.sourceTable);
    }

    std::shared_ptr<std::vector<detail::ResultColumns::TextStats>> textStats;

    QVariant text(int column, const char* p, int n) const {
        auto& stats = (*textStats)[size_t(column)];
        if (stats.off || n > detail::TextCache::kMaxBytes) return detail::cells::textValue(p, n);
        ++stats.reads;
        detail::TextCache& shared = c->texts;
        const quint64 hash = detail::TextCache::hashOf(p, n);
        if (const QString* found = shared.find(p, n, hash)) {
            ++stats.hits;
            return QVariant(*found);
        }
        if (stats.reads >= 256 && stats.hits * 2 < stats.reads) {
            stats.off = true;
            return detail::cells::textValue(p, n);
        }
        return QVariant(shared.insert(p, n, hash));
    }

    QVariant valueAt(qsizetype row, int column) const {
        const qsizetype index = row * names.size() + column;
        if (!edited.isEmpty())
            if (auto it = edited.constFind(index); it != edited.cend()) return it.value();
        const detail::Cell& cell = cells[size_t(index)];
        const FieldDef* type = declared.at(column);
        if (cell.kind == detail::Cell::Text && type && (type->type == JetType::Text || type->type == JetType::Memo))
            return text(column, arena.data() + cell.offset, int(cell.size));
        return detail::cellValue(cell, arena.data(), type);
    }

    // Reads the whole table row back after a write: fills lastModifiedRow and, for an edit
    // (row >= 0), the values of that row.
    void reread(qint64 rowId, qsizetype row) {
        const QString sql = QStringLiteral("SELECT * FROM ") + qualifiedTable() + QStringLiteral(" WHERE rowid = ?");
        sqlite3_stmt* s = c->acquire(sql);
        const int gen = c->generation;
        c->bind(s, {QVariant(qlonglong(rowId))});
        lastModifiedRow.clear();
        const QList<FieldDef> fields = tableFields();
        if (sqlite3_step(s) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                const QString name = QString::fromUtf8(sqlite3_column_name(s, i));
                const FieldDef* f = nullptr;
                for (const FieldDef& fd : fields)
                    if (fd.name == name) f = &fd;
                lastModifiedRow.insert(jettext::fold(name), detail::columnValue(s, i, f));
            }
        }
        c->release(s, gen);
        if (row >= 0) {
            for (int i = 0; i < names.size(); ++i)
                if (!origins[i].isEmpty()) edited.insert(row * names.size() + i, lastModifiedRow.value(jettext::fold(origins[i])));
        }
    }
};

Recordset::Recordset() = default;
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

Recordset::Recordset(std::shared_ptr<Connection> connection, std::shared_ptr<const Translation> translation, const QVariantList& params)
    : s_(std::make_unique<State>()) {
    State& s = *s_;
    s.c = std::move(connection);
    s.translation = std::move(translation);
    s.stmt = s.c->acquire(s.translation->editableTable ? s.translation->editSql : s.translation->sql);
    s.stmtGeneration = s.c->generation;
    try {
        s.c->bind(s.stmt, params);
    } catch (...) {
        s.finish();
        throw;
    }
    // The columns' names and types are the same every time a statement runs: read them once.
    const QString& sqlText = s.translation->editableTable ? s.translation->editSql : s.translation->sql;
    QList<FieldDef> tableFields;
    if (s.translation->editableTable) tableFields = s.tableFields();
    auto known = s.c->resultColumns.constFind(sqlText);
    if (known == s.c->resultColumns.cend()) {
        detail::ResultColumns cols;
        const int count = sqlite3_column_count(s.stmt);
        const QString rowIdName = JetSql::rowIdColumn();
        for (int i = 0; i < count; ++i) {
            const QString name = QString::fromUtf8(sqlite3_column_name(s.stmt, i));
            if (s.translation->editableTable && name == rowIdName && i == count - 1) {
                cols.rowIdColumn = i;
                continue;
            }
            cols.names << name;
            const char* decl = sqlite3_column_decltype(s.stmt, i);
            const char* origin = sqlite3_column_origin_name(s.stmt, i);
            const char* table = sqlite3_column_table_name(s.stmt, i);
            std::optional<FieldDef> type;
            if (decl) {
                const QString declared = QString::fromUtf8(decl);
                type = jettypes::fromDeclared(name, declared, declared.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0, false);
            }
            cols.types << type;
            cols.origins << (s.translation->editableTable && origin ? QString::fromUtf8(origin) : QString());
            const QString key = jettext::fold(name);
            if (!cols.index.contains(key)) cols.index.insert(key, i);
            if (table && origin) {
                const QString qualified = jettext::fold(QString::fromUtf8(table) + QLatin1Char('.') + QString::fromUtf8(origin));
                if (!cols.index.contains(qualified)) cols.index.insert(qualified, i);
            }
        }
        cols.textStats = std::make_shared<std::vector<detail::ResultColumns::TextStats>>(size_t(cols.names.size()));
        if (s.c->resultColumns.size() >= 1000) s.c->resultColumns.clear();  // statements with literal values
        known = s.c->resultColumns.insert(sqlText, cols);
    }
    s.names = known->names;
    s.index = known->index;
    s.types = known->types;
    s.origins = known->origins;
    s.rowIdColumn = known->rowIdColumn;
    for (const auto& t : s.types) s.declared << (t ? &*t : nullptr);
    s.textStats = known->textStats;
    for (const FieldDef& f : tableFields)
        if (f.counter) s.keyField = f.name;
    s.settle(0);
}

bool Recordset::eof() const { return !s_ || s_->pos >= s_->rows.size(); }
bool Recordset::bof() const { return !s_ || s_->pos < 0 || (s_->rows.isEmpty() && s_->exhausted); }

void Recordset::moveNext() {
    if (eof()) noCurrentRow();
    s_->settle(s_->pos + 1);
}

void Recordset::movePrevious() {
    if (bof()) noCurrentRow();
    qsizetype p = s_->pos - 1;
    while (p >= 0 && s_->rows[p].deleted) --p;
    s_->moved(p);
}

void Recordset::moveFirst() {
    if (!s_) return;
    s_->settle(0);
}

void Recordset::moveLast() {
    if (!s_) return;
    s_->fetchAll();
    qsizetype p = s_->rows.size() - 1;
    while (p >= 0 && s_->rows[p].deleted) --p;
    s_->moved(p < 0 ? s_->rows.size() : p);
}

int Recordset::recordCount() const {
    if (!s_) return 0;
    int n = 0;
    for (const auto& r : s_->rows)
        if (!r.deleted) ++n;
    return n;
}

int Recordset::fieldCount() const { return s_ ? int(s_->names.size()) : 0; }
QString Recordset::fieldName(int index) const { return s_ ? s_->names.value(index) : QString(); }

int Recordset::fieldIndex(const QString& name) const {
    if (!s_) return -1;
    // Open addressing over the address of the name's characters.
    const auto key = reinterpret_cast<quintptr>(name.constData());
    const size_t slotCount = s_->nameSlots.size();
    size_t at = ((key >> 4) ^ (key >> 12)) % slotCount;
    for (size_t probe = 0; probe < slotCount; ++probe, at = (at + 1) % slotCount) {
        const State::NameSlot& slot = s_->nameSlots[at];
        if (slot.data == name.constData() && slot.size == name.size()) return slot.column;
        if (!slot.data) break;
    }
    const int i = s_->index.value(jettext::fold(name), -1);
    if (!s_->nameSlots[at].data && s_->namesSeen.size() < qsizetype(slotCount * 3 / 4)) {
        s_->namesSeen << name;
        s_->nameSlots[at] = {name.constData(), name.size(), i};
    }
    return i;
}

QVariant Recordset::value(int index) const {
    if (!s_) noCurrentRow();
    s_->current();
    if (index < 0 || index >= s_->names.size()) throw DatabaseError(QStringLiteral("Element in dieser Auflistung nicht gefunden."));
    return s_->valueAt(s_->pos, index);
}

QVariant Recordset::value(const QString& name) const {
    if (!s_) noCurrentRow();
    const State& s = *s_;
    int i;
    if (s.next < s.sequence.size() && s.sequence[s.next].data == name.constData() && s.sequence[s.next].size == name.size()) {
        i = s.sequence[s.next++].column;
    } else {
        i = fieldIndex(name);
        if (s.learning && s.next == s.sequence.size() && s.sequence.size() < 256) {
            s.namesSeen << name;  // keeps the characters the entry points at
            s.sequence.push_back({name.constData(), name.size(), i});
            ++s.next;
        }
    }
    if (i < 0) throw DatabaseError(QStringLiteral("Das Feld '%1' ist in dieser Abfrage nicht enthalten.").arg(name));
    if (s.pos < 0 || s.pos >= s.rows.size() || s.rows[s.pos].deleted) noCurrentRow();
    return s.valueAt(s.pos, i);
}

QString Recordset::text(const QString& name) const {
    const QVariant v = value(name);
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::QDate) return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    return v.toString();
}

int Recordset::integer(const QString& name, int nullValue) const {
    const QVariant v = value(name);
    return v.isNull() ? nullValue : v.toInt();
}

double Recordset::number(const QString& name, double nullValue) const {
    const QVariant v = value(name);
    return v.isNull() ? nullValue : v.toDouble();
}

bool Recordset::yes(const QString& name) const {
    const QVariant v = value(name);
    return !v.isNull() && v.toInt() != 0;
}

// ---- editing ----------------------------------------------------------------------------

bool Recordset::updatable() const { return s_ && s_->translation->editableTable.has_value(); }

void Recordset::addNew() {
    if (!updatable()) throw DatabaseError(QStringLiteral("Die Datensatzgruppe kann nicht aktualisiert werden."));
    s_->mode = EditMode::AddNew;
    s_->pending.clear();
}

void Recordset::edit() {
    if (!updatable()) throw DatabaseError(QStringLiteral("Die Datensatzgruppe kann nicht aktualisiert werden."));
    s_->current();
    s_->mode = EditMode::Edit;
    s_->pending.clear();
}

void Recordset::setValue(const QString& name, const QVariant& value) {
    if (!s_ || s_->mode == EditMode::None) throw DatabaseError(QStringLiteral("Aktualisieren ohne AddNew oder Edit."));
    // A field of the query may be an alias ("Address.ID as AdID"): find the table field behind it.
    QString fieldName = name;
    if (const int i = fieldIndex(name); i >= 0 && !s_->origins[i].isEmpty()) fieldName = s_->origins[i];
    for (const FieldDef& f : s_->tableFields()) {
        if (jettext::compare(f.name, fieldName) == 0) {
            if (f.counter) throw DatabaseError(QStringLiteral("Das Feld '%1' kann nicht aktualisiert werden.").arg(f.name));
            s_->pending.insert(jettext::fold(f.name), {f.name, jettypes::toStorage(f.type, value, f.name)});
            return;
        }
    }
    throw DatabaseError(QStringLiteral("Element in dieser Auflistung nicht gefunden: '%1'.").arg(name));
}

void Recordset::cancelUpdate() {
    if (!s_) return;
    s_->mode = EditMode::None;
    s_->pending.clear();
}

void Recordset::update() {
    if (!s_ || s_->mode == EditMode::None) throw DatabaseError(QStringLiteral("Aktualisieren ohne AddNew oder Edit."));
    State& s = *s_;
    QStringList columns, marks;
    QVariantList values;
    for (const auto& p : std::as_const(s.pending)) {
        columns << jettypes::quoteIdentifier(p.first);
        marks << QStringLiteral("?");
        values << p.second;
    }
    qint64 rowId = 0;
    if (s.mode == EditMode::AddNew) {
        const QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO ") + s.qualifiedTable() + QStringLiteral(" DEFAULT VALUES")
                                              : QStringLiteral("INSERT INTO ") + s.qualifiedTable() + QStringLiteral(" (") +
                                                    columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                                    marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        sqlite3_stmt* stmt = s.c->acquire(sql);
        const int gen = s.c->generation;
        s.c->bind(stmt, values);
        const int rc = sqlite3_step(stmt);
        const QString msg = rc == SQLITE_DONE
                                ? QString()
                                : detail::germanError(sqlite3_extended_errcode(s.c->db), QString::fromUtf8(sqlite3_errmsg(s.c->db)));
        s.c->release(stmt, gen);
        if (!msg.isEmpty()) s.c->fail(msg);
        rowId = sqlite3_last_insert_rowid(s.c->db);
        s.mode = EditMode::None;
        s.pending.clear();
        s.reread(rowId, -1);
        return;
    }
    rowId = s.current().rowId;
    if (!columns.isEmpty()) {
        QStringList sets;
        for (const QString& col : columns) sets << col + QStringLiteral(" = ?");
        values << QVariant(qlonglong(rowId));
        const QString sql = QStringLiteral("UPDATE ") + s.qualifiedTable() + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
                            QStringLiteral(" WHERE rowid = ?");
        sqlite3_stmt* stmt = s.c->acquire(sql);
        const int gen = s.c->generation;
        s.c->bind(stmt, values);
        const int rc = sqlite3_step(stmt);
        const QString msg = rc == SQLITE_DONE
                                ? QString()
                                : detail::germanError(sqlite3_extended_errcode(s.c->db), QString::fromUtf8(sqlite3_errmsg(s.c->db)));
        s.c->release(stmt, gen);
        if (!msg.isEmpty()) s.c->fail(msg);
    }
    s.mode = EditMode::None;
    s.pending.clear();
    s.reread(rowId, s.pos);
}

void Recordset::deleteCurrent() {
    if (!updatable()) throw DatabaseError(QStringLiteral("Die Datensatzgruppe kann nicht aktualisiert werden."));
    State& s = *s_;
    State::Row& row = const_cast<State::Row&>(s.current());
    const QString sql = QStringLiteral("DELETE FROM ") + s.qualifiedTable() + QStringLiteral(" WHERE rowid = ?");
    sqlite3_stmt* stmt = s.c->acquire(sql);
    const int gen = s.c->generation;
    s.c->bind(stmt, {QVariant(qlonglong(row.rowId))});
    const int rc = sqlite3_step(stmt);
    const QString msg =
        rc == SQLITE_DONE ? QString() : detail::germanError(sqlite3_extended_errcode(s.c->db), QString::fromUtf8(sqlite3_errmsg(s.c->db)));
    s.c->release(stmt, gen);
    if (!msg.isEmpty()) s.c->fail(msg);
    row.deleted = true;
}

QVariant Recordset::lastModified(const QString& name) const {
    if (!s_ || s_->lastModifiedRow.isEmpty()) throw DatabaseError(QStringLiteral("Es wurde noch kein Datensatz geändert."));
    QString field = name.isEmpty() ? s_->keyField : name;
    if (field.isEmpty()) throw DatabaseError(QStringLiteral("Die Tabelle hat kein Schlüsselfeld."));
    if (const int i = fieldIndex(field); i >= 0 && !s_->origins[i].isEmpty()) field = s_->origins[i];
    const QString key = jettext::fold(field);
    if (!s_->lastModifiedRow.contains(key))
        throw DatabaseError(QStringLiteral("Element in dieser Auflistung nicht gefunden: '%1'.").arg(name));
    return s_->lastModifiedRow.value(key);
}

}  // namespace tav
