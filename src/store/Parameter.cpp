#include "store/Parameter.h"

#include "engine/Database.h"

namespace tav {

QString ParameterRow::text(int n, const QString& fallback) const {
    if (n < 1 || n > fields.size() || fields[n - 1].isNull()) return fallback;
    return fields[n - 1].toString();
}

bool ParameterRow::isNull(int n) const { return n < 1 || n > fields.size() || fields[n - 1].isNull(); }

double ParameterRow::number(int n, double fallback) const {
    if (isNull(n)) return fallback;
    const QString s = fields[n - 1].toString().trimmed();
    qsizetype i = 0;
    QString digits;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) digits += s[i++];
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i].isDigit())
            digits += s[i];
        else if (!point && (s[i] == QLatin1Char(',') || s[i] == QLatin1Char('.'))) {
            point = true;
            digits += QLatin1Char('.');
        } else
            break;
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0.0;
}

int ParameterRow::integer(int n, int fallback) const {
    if (isNull(n)) return fallback;
    return int(number(n, fallback));
}

std::optional<ParameterRow> Parameter::read(const QString& satz) const {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tblParameter WHERE Satz = ?"), {satz});
    if (rs.eof()) return std::nullopt;
    ParameterRow row;
    row.satz = rs.text(QStringLiteral("Satz"));
    for (int i = 1; i <= 28; ++i) {
        const QString f = QStringLiteral("F%1").arg(i);
        row.fields << (rs.hasField(f) ? rs.value(f) : QVariant());
    }
    return row;
}

void Parameter::write(const QString& satz, const QList<QPair<int, QVariant>>& fields) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tblParameter WHERE Satz = ?"), {satz});
    if (rs.eof()) {
        rs.addNew();
        rs.setValue(QStringLiteral("Satz"), satz);
    } else {
        rs.edit();
    }
    for (const auto& f : fields) rs.setValue(QStringLiteral("F%1").arg(f.first), f.second);
    rs.update();
}

void Parameter::saveYesNo(const QString& satz, int value) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT SATZ, F1 from tblParameter WHERE Satz = ?;"), {satz});
    if (rs.eof()) {
        rs.addNew();
        rs.setValue(QStringLiteral("Satz"), satz);
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("F1"), value == 1 ? QStringLiteral("Ja") : QStringLiteral("Nein"));
    rs.update();
}

bool Parameter::readYesNo(const QString& satz) const {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT SATZ, F1 from tblParameter WHERE Satz = ?;"), {satz});
    if (rs.eof()) return false;
    const QVariant f1 = rs.value(QStringLiteral("F1"));
    return !f1.isNull() && f1.toString() == QLatin1String("Ja");
}

QString Parameter::columnLabel(const QString& field) const {
    Recordset rs = db_.openRecordset(
        QStringLiteral(" SELECT tblParameter.Satz, tblParameter.F1, tblParameter.F2 , tblParameter.F3 , tblParameter.F4 , tblParameter.F5 "
                       "From tblParameter WHERE (((tblParameter.Satz)='Beschriftungen'));"));
    if (rs.eof() || !rs.hasField(field)) return QStringLiteral("Bezeichnung");
    const QVariant v = rs.value(field);
    return v.isNull() ? QStringLiteral("Bezeichnung") : v.toString();
}

QVariant Parameter::lookup(const QString& fields, const QString& table, const QString& keyField, const QVariant& keyValue) const {
    Recordset rs = db_.openRecordset(QStringLiteral("Select ") + fields + QStringLiteral(" FROM ") + table + QStringLiteral(" Where ") +
                                         keyField + QStringLiteral(" = ?;"),
                                     {keyValue});
    if (rs.eof()) return QVariant();
    return rs.value(0);
}

QString Parameter::text(const QString& baustein) const {
    const QVariant v = db_.scalar(QStringLiteral("SELECT tblTexte.Inhalt From tblTexte WHERE tblTexte.Textbaustein = ?"), {baustein});
    return v.isNull() ? QString() : v.toString();
}

bool Parameter::hasText(const QString& baustein) const {
    return !db_.openRecordset(QStringLiteral("SELECT ID From tblTexte WHERE Textbaustein = ?"), {baustein}).eof();
}

void Parameter::writeText(const QString& baustein, const QString& inhalt) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * From tblTexte WHERE Textbaustein = ?"), {baustein});
    if (rs.eof()) {
        rs.addNew();
        rs.setValue(QStringLiteral("Textbaustein"), baustein);
    } else {
        rs.edit();
    }
    rs.setValue(QStringLiteral("Inhalt"), inhalt);
    rs.update();
}

namespace farbe {

quint32 rgb(int r, int g, int b) {
    return quint32(qBound(0, r, 255)) | (quint32(qBound(0, g, 255)) << 8) | (quint32(qBound(0, b, 255)) << 16);
}
int red(quint32 c) { return int(c & 0xFF); }
int green(quint32 c) { return int((c >> 8) & 0xFF); }
int blue(quint32 c) { return int((c >> 16) & 0xFF); }

quint32 brighten(quint32 colour, int amount) {
    // As hexadecimal text BBGGRR, left-padded with zeros, split into its three channels.
    const QString hex = QStringLiteral("%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    const int b = hex.mid(0, 2).toInt(nullptr, 16);
    const int g = hex.mid(2, 2).toInt(nullptr, 16);
    const int r = hex.mid(4, 2).toInt(nullptr, 16);
    return rgb(qMin(255, r + amount), qMin(255, g + amount), qMin(255, b + amount));
}

}  // namespace farbe
}  // namespace tav
