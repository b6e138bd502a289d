#include "platform/DataFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace tav {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

}  // namespace

QString DataFile::plainValue(const QString& value) {
    QString v = value;
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));
    v.replace(QChar(0x2028), QLatin1Char(' '));
    v.replace(QLatin1Char(';'), QLatin1Char(','));
    v.replace(QLatin1Char('"'), QLatin1Char('\''));
    return v;
}

QString DataFile::quotedValue(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('"'), QLatin1Char('\''));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

DataFile::Record::Record(const QStringList& plainFields) {
    for (const QString& f : plainFields) plain(f);
}

DataFile::Record& DataFile::Record::plain(const QString& value) {
    fields_ << plainValue(value);
    return *this;
}

DataFile::Record& DataFile::Record::quoted(const QString& value) {
    fields_ << quotedValue(value);
    return *this;
}

DataFile::Record& DataFile::Record::quotedIfNotEmpty(const QString& value) { return value.isEmpty() ? plain(QString()) : quoted(value); }

DataFile& DataFile::add(const Record& record) {
    lines_ << record.text();
    return *this;
}

DataFile& DataFile::addLine(const QString& line) {
    lines_ << line;
    return *this;
}

QByteArray DataFile::bytes() const {
    QByteArray out = kByteOrderMark;
    for (const QString& line : lines_) out += line.toUtf8() + "\r\n";
    return out;
}

bool DataFile::save(const QString& path, QString* error) const {
    QSaveFile file(path);
    const QByteArray data = bytes();
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit()) return true;
    if (error)
        *error =
            QStringLiteral("Die Datei %1 konnte nicht geschrieben werden (%2).").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

int DataFile::Table::column(const QString& name) const {
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

DataFile::Table DataFile::parse(const QByteArray& raw) {
    QByteArray data = raw.startsWith(kByteOrderMark) ? raw.mid(kByteOrderMark.size()) : raw;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError()) text = QString::fromLatin1(data);

    QList<QStringList> lines;
    QStringList fields;
    QString field;
    bool inQuotes = false;
    bool lineHasContent = false;
    const qsizetype n = text.size();
    auto endLine = [&] {
        fields << field;
        if (lineHasContent || fields.size() > 1 || !fields.first().isEmpty()) lines << fields;
        fields.clear();
        field.clear();
        lineHasContent = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == QLatin1Char('"'))
                inQuotes = false;
            else
                field += c;
            continue;
        }
        if (c == QLatin1Char('"') && field.isEmpty()) {
            inQuotes = true;
            lineHasContent = true;
        } else if (c == QLatin1Char(';')) {
            fields << field;
            field.clear();
            lineHasContent = true;
        } else if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) {
            ++i;
            endLine();
        } else if (c == QLatin1Char('\n')) {
            endLine();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty() || lineHasContent) endLine();

    Table t;
    if (!lines.isEmpty()) t.names = lines.takeFirst();
    t.records = lines;
    return t;
}

std::optional<DataFile::Table> DataFile::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Die Datendatei %1 konnte nicht gelesen werden (%2).")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    return parse(file.readAll());
}

}  // namespace tav
