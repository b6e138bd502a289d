#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

#include "engine/JetSql.h"

namespace tav {

namespace detail {
struct Connection;
}

// The rows of a query, walked forward (and back over rows already read), as the program's
// dynasets were: end-of-data test, fields by name without regard to case, Null as a real
// Null. A SELECT over a single table can be edited: AddNew / Edit / setValue / Update / Delete.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool eof() const;
    bool bof() const;
    bool isEmpty() const { return eof() && bof(); }
    void moveNext();
    void movePrevious();
    void moveFirst();
    void moveLast();
    // The rows read so far, as DAO counts them; after moveLast() all rows.
    int recordCount() const;

    int fieldCount() const;
    QString fieldName(int index) const;
    // -1 when there is no such field. Also finds "table.field".
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    // Throws DatabaseError when there is no current row or no such field.
    QVariant value(int index) const;
    QVariant value(const QString& name) const;
    QVariant operator[](const QString& name) const { return value(name); }
    // Null fields read as the given default.
    QString text(const QString& name) const;
    int integer(const QString& name, int nullValue = 0) const;
    double number(const QString& name, double nullValue = 0.0) const;
    bool yes(const QString& name) const;  // Yes/No field: True when not 0

    // ---- editing ----
    bool updatable() const;
    void addNew();
    void edit();
    // Any field of the table may be set; values are converted to the field's type.
    void setValue(const QString& name, const QVariant& value);
    void update();
    void cancelUpdate();
    void deleteCurrent();
    // A field of the row added or changed last (the key field when none is named), like
    // moving to the LastModified bookmark and reading it.
    QVariant lastModified(const QString& name = {}) const;

private:
    friend class Database;
    struct State;
    Recordset(std::shared_ptr<detail::Connection> connection, std::shared_ptr<const Translation> translation, const QVariantList& params);
    std::unique_ptr<State> s_;
};

}  // namespace tav
