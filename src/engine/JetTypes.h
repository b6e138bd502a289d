#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace tav {

// Field types by their DAO numbers, so that schema code reads like the table definitions.
enum class JetType {
    Boolean = 1,
    Byte = 2,
    Integer = 3,
    Long = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    Date = 8,
    Text = 10,
    LongBinary = 11,
    Memo = 12,
};

struct FieldDef {
    QString name;
    JetType type = JetType::Text;
    int size = 0;                 // Text only; 0 = 255
    bool allowZeroLength = true;  // Text and Memo
    bool counter = false;         // Long key given by the engine, never reused
    QVariant defaultValue;        // besides Yes/No, which always defaults to 0

    static FieldDef text(const QString& name, int size = 50) {
        FieldDef f;
        f.name = name;
        f.size = size;
        return f;
    }
    static FieldDef of(const QString& name, JetType type) {
        FieldDef f;
        f.name = name;
        f.type = type;
        return f;
    }
    static FieldDef autoNumber(const QString& name) {
        FieldDef f = of(name, JetType::Long);
        f.counter = true;
        return f;
    }
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool unique = false;
};

struct TableDef {
    QString name;
    QList<FieldDef> fields;
    QStringList primaryKey;  // empty = none; a counter field is its own key
    QList<IndexDef> indexes;
    // For a linked table: ";DATABASE=<file>;PWD=<password>" and the table's name in that file.
    QString connect;
    QString sourceTableName;

    bool isLinked() const { return !connect.isEmpty(); }
    const FieldDef* field(const QString& name) const;  // without regard to case
};

namespace jettypes {

// The declared SQLite type of a field: keeps the Jet type recoverable and gives the right
// affinity (a declared type without INT/CHAR/TEXT/REAL/DOUB would get NUMERIC affinity).
QString declaredType(const FieldDef& f);
// The column definition for CREATE TABLE / ALTER TABLE ADD COLUMN.
QString columnDefinition(const FieldDef& f, bool isPrimaryKeyAlone);
// Reads the Jet type back from a declared type; counters are "INTEGER" primary keys.
FieldDef fromDeclared(const QString& name, const QString& declared, bool primaryKey, bool autoIncrement);

// A value as it is stored in a column of the type (dates as ISO text, Yes/No as -1/0).
// Throws DatabaseError when the value cannot be converted.
QVariant toStorage(JetType type, const QVariant& value, const QString& fieldName);

// A date as stored: "yyyy-MM-dd", with " HH:mm:ss" only when there is a time.
QString isoDate(const QDateTime& dt);
QString isoDate(const QDate& d);
// Reads the stored form back; nullopt for text that is not an ISO date.
std::optional<QDateTime> parseIso(QStringView text);

QString quoteIdentifier(const QString& name);

}  // namespace jettypes
}  // namespace tav
