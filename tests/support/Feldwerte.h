#pragma once

#include <QStringList>

#include "engine/Database.h"

namespace tav::test {

// The values of a row as text, Null as "<null>", so that a stored row is compared in one
// assertion and a failure shows the whole row.
inline QString feldwert(const QVariant& v) { return v.isNull() ? QStringLiteral("<null>") : v.toString(); }

// The first row of a statement; {"<keine Zeile>"} when it gives none.
inline QStringList zeile(Database& db, const QString& sql, const QVariantList& parameter = {}) {
    Recordset rs = db.openRecordset(sql, parameter);
    if (rs.eof()) return {QStringLiteral("<keine Zeile>")};
    QStringList werte;
    for (int i = 0; i < rs.fieldCount(); ++i) werte << feldwert(rs.value(i));
    return werte;
}

// Every row of a statement, its values joined by '|'.
inline QStringList zeilen(Database& db, const QString& sql, const QVariantList& parameter = {}) {
    QStringList out;
    for (Recordset rs = db.openRecordset(sql, parameter); !rs.eof(); rs.moveNext()) {
        QStringList werte;
        for (int i = 0; i < rs.fieldCount(); ++i) werte << feldwert(rs.value(i));
        out << werte.join(QLatin1Char('|'));
    }
    return out;
}

}  // namespace tav::test
