#include "engine/JetTypes.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

#include "engine/DatabaseError.h"
#include "engine/JetText.h"

namespace tav {

const FieldDef* TableDef::field(const QString& name) const {
    for (const FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

namespace jettypes {

QString quoteIdentifier(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

QString declaredType(const FieldDef& f) {
    if (f.counter) return QStringLiteral("INTEGER");
    switch (f.type) {
        case JetType::Boolean: return QStringLiteral("YESNO INTEGER");
        case JetType::Byte: return QStringLiteral("BYTE INTEGER");
        case JetType::Integer: return QStringLiteral("SHORT INTEGER");
        case JetType::Long: return QStringLiteral("LONG INTEGER");
        case JetType::Currency: return QStringLiteral("CURRENCY REAL");
        case JetType::Single: return QStringLiteral("SINGLE REAL");
        case JetType::Double: return QStringLiteral("DOUBLE");
        case JetType::Date: return QStringLiteral("DATETIME TEXT");
        case JetType::Text:
            return (f.allowZeroLength ? QStringLiteral("TEXT(") : QStringLiteral("NOTZL TEXT(")) +
                   QString::number(f.size > 0 ? f.size : 255) + QLatin1Char(')');
        case JetType::LongBinary: return QStringLiteral("LONGBINARY BLOB");
        case JetType::Memo: return f.allowZeroLength ? QStringLiteral("MEMO TEXT") : QStringLiteral("NOTZL MEMO TEXT");
    }
    return QStringLiteral("TEXT");
}

namespace {
QString sqlLiteral(const QVariant& v) {
    if (v.typeId() == QMetaType::QString) {
        QString s = v.toString();
        s.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + s + QLatin1Char('\'');
    }
    return v.toString();
}
}  // namespace

QString columnDefinition(const FieldDef& f, bool isPrimaryKeyAlone) {
    QString def = quoteIdentifier(f.name) + QLatin1Char(' ') + declaredType(f);
    if (f.counter) return def + QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
    if (isPrimaryKeyAlone) def += QStringLiteral(" PRIMARY KEY");
    if (f.type == JetType::Boolean) {
        // Jet's Yes/No is never Null: a Null write takes the default instead.
        def += QStringLiteral(" NOT NULL ON CONFLICT REPLACE DEFAULT 0");
    } else if (f.defaultValue.isValid()) {
        def += QStringLiteral(" DEFAULT ") + sqlLiteral(f.defaultValue);
    }
    if (f.type == JetType::Text || f.type == JetType::Memo) {
        def += QStringLiteral(" COLLATE ") + QLatin1String(jettext::kCollation);
        if (!f.allowZeroLength) def += QStringLiteral(" CHECK (") + quoteIdentifier(f.name) + QStringLiteral(" <> '')");
    }
    return def;
}

FieldDef fromDeclared(const QString& name, const QString& declared, bool primaryKey, bool autoIncrement) {
    FieldDef f;
    f.name = name;
    const QString d = declared.toUpper();
    if (d == QLatin1String("INTEGER") && primaryKey) {
        f.type = JetType::Long;
        f.counter = autoIncrement;
        return f;
    }
    f.allowZeroLength = !d.startsWith(QLatin1String("NOTZL"));
    const QString body = f.allowZeroLength ? d : d.mid(6);
    if (body.startsWith(QLatin1String("YESNO")))
        f.type = JetType::Boolean;
    else if (body.startsWith(QLatin1String("BYTE")))
        f.type = JetType::Byte;
    else if (body.startsWith(QLatin1String("SHORT")))
        f.type = JetType::Integer;
    else if (body.startsWith(QLatin1String("LONGBINARY")))
        f.type = JetType::LongBinary;
    else if (body.startsWith(QLatin1String("LONG")) || body == QLatin1String("INTEGER"))
        f.type = JetType::Long;
    else if (body.startsWith(QLatin1String("CURRENCY")))
        f.type = JetType::Currency;
    else if (body.startsWith(QLatin1String("SINGLE")))
        f.type = JetType::Single;
    else if (body.startsWith(QLatin1String("DOUBLE")) || body.startsWith(QLatin1String("REAL")))
        f.type = JetType::Double;
    else if (body.startsWith(QLatin1String("DATETIME")))
        f.type = JetType::Date;
    else if (body.startsWith(QLatin1String("MEMO")))
        f.type = JetType::Memo;
    else {
        f.type = JetType::Text;
        static const QRegularExpression size(QStringLiteral("\\((\\d+)\\)"));
        const auto m = size.match(body);
        f.size = m.hasMatch() ? m.captured(1).toInt() : 255;
    }
    return f;
}

QString isoDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

QString isoDate(const QDateTime& dt) {
    if (dt.time() == QTime(0, 0)) return isoDate(dt.date());
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

std::optional<QDateTime> parseIso(QStringView text) {
    // yyyy-MM-dd[( |T)HH:mm[:ss]]
    auto digits = [&](qsizetype from, qsizetype n, int& out) {
        if (from + n > text.size()) return false;
        int v = 0;
        for (qsizetype i = from; i < from + n; ++i) {
            const QChar c = text[i];
            if (!c.isDigit()) return false;
            v = v * 10 + c.digitValue();
        }
        out = v;
        return true;
    };
    int y, mo, d;
    if (text.size() < 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-')) return std::nullopt;
    if (!digits(0, 4, y) || !digits(5, 2, mo) || !digits(8, 2, d)) return std::nullopt;
    const QDate date(y, mo, d);
    if (!date.isValid()) return std::nullopt;
    if (text.size() == 10) return QDateTime(date, QTime(0, 0), Qt::UTC);
    if (text.size() < 16 || (text[10] != QLatin1Char(' ') && text[10] != QLatin1Char('T'))) return std::nullopt;
    int h, mi, s = 0;
    if (!digits(11, 2, h) || text[13] != QLatin1Char(':') || !digits(14, 2, mi)) return std::nullopt;
    if (text.size() >= 19) {
        if (text[16] != QLatin1Char(':') || !digits(17, 2, s)) return std::nullopt;
        if (text.size() != 19) return std::nullopt;
    } else if (text.size() != 16) {
        return std::nullopt;
    }
    const QTime time(h, mi, s);
    if (!time.isValid()) return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

namespace {

[[noreturn]] void mismatch(const QString& fieldName, const QVariant& value) {
    throw DatabaseError(QStringLiteral("Der Wert '%1' passt nicht zum Datentyp des Feldes '%2'.").arg(value.toString(), fieldName));
}

[[noreturn]] void overflow(const QString& fieldName, const QVariant& value) {
    throw DatabaseError(QStringLiteral("Überlauf: der Wert '%1' ist für das Feld '%2' zu groß.").arg(value.toString(), fieldName));
}

std::optional<double> numberOf(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool: return value.toBool() ? -1.0 : 0.0;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Short:
        case QMetaType::Long: return value.toDouble();
        default: break;
    }
    QString s = value.toString().trimmed();
    if (s.isEmpty()) return std::nullopt;
    bool ok = false;
    double d = s.toDouble(&ok);
    if (ok) return d;
    // German input: "1.234,50" and "12,5"
    s.remove(QLatin1Char('.'));
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    d = s.toDouble(&ok);
    if (ok) return d;
    return std::nullopt;
}

}  // namespace

QVariant toStorage(JetType type, const QVariant& value, const QString& fieldName) {
    if (value.isNull() || !value.isValid()) return QVariant();
    switch (type) {
        case JetType::Boolean: {
            if (value.typeId() == QMetaType::QString) {
                const QString s = value.toString().trimmed();
                if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                    s.compare(QLatin1String("wahr"), Qt::CaseInsensitive) == 0 || s.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0)
                    return -1;
                if (s.isEmpty() || s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
                    s.compare(QLatin1String("falsch"), Qt::CaseInsensitive) == 0 ||
                    s.compare(QLatin1String("nein"), Qt::CaseInsensitive) == 0)
                    return 0;
            }
            const auto n = numberOf(value);
            if (!n) mismatch(fieldName, value);
            return *n != 0.0 ? -1 : 0;
        }
        case JetType::Byte:
        case JetType::Integer:
        case JetType::Long: {
            const auto n = numberOf(value);
            if (!n) mismatch(fieldName, value);
            // Jet rounds to the nearest integer, halves to even; a number outside the field's
            // range (Byte 0…255, Integer 16 bits, Long 32 bits) is an overflow.
            const double r = std::nearbyint(*n);
            const double min = type == JetType::Byte ? 0.0 : type == JetType::Integer ? -32768.0 : -2147483648.0;
            const double max = type == JetType::Byte ? 255.0 : type == JetType::Integer ? 32767.0 : 2147483647.0;
            if (!(r >= min && r <= max)) overflow(fieldName, value);
            return qlonglong(r);
        }
        case JetType::Currency:
        case JetType::Single:
        case JetType::Double: {
            const auto n = numberOf(value);
            if (!n) mismatch(fieldName, value);
            if (!std::isfinite(*n)) overflow(fieldName, value);  // Jet has no infinity
            return *n;
        }
        case JetType::Date: {
            if (value.typeId() == QMetaType::QDate) return isoDate(value.toDate());
            if (value.typeId() == QMetaType::QDateTime) return isoDate(value.toDateTime());
            const QString s = value.toString().trimmed();
            if (auto iso = parseIso(s)) return isoDate(*iso);
            const QStringList german = {QStringLiteral("d.M.yyyy"), QStringLiteral("d.M.yyyy H:mm:ss"), QStringLiteral("d.M.yyyy H:mm")};
            for (const QString& fmt : german) {
                const QDateTime dt = QDateTime::fromString(s, fmt);
                if (dt.isValid()) return isoDate(dt);
            }
            mismatch(fieldName, value);
        }
        case JetType::Text:
        case JetType::Memo: {
            if (value.typeId() == QMetaType::QDate) return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
            return value.toString();
        }
        case JetType::LongBinary: return value.toByteArray();
    }
    return value;
}

}  // namespace jettypes
}  // namespace tav
