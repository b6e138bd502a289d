#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tav {

// The data files that documents read as their mail-merge data source (Rechn.doc, ReDetail.doc,
// angeb.doc, Best.doc, allgdat.doc, adresse.doc): plain text, UTF-8 with a byte order mark, one
// record per line, every line ended by CR LF, fields separated by ";".
//
// Fields are written without quoting. A field that the file's format marks as free text (a
// letter text, a guest-count text, a remark of a list) is enclosed in double quotes and may then
// hold line breaks. Because nothing is escaped, a plain field cannot hold ";" or a line break and
// a quoted one cannot hold a double quote: the writer replaces ";" by ",", line breaks by a blank
// and double quotes by "'" where they would break the record, so that every record keeps its
// number of fields.
class DataFile {
public:
    // One line of the file, built field by field.
    class Record {
    public:
        Record() = default;
        Record(const QStringList& plainFields);
        // A field without quotes.
        Record& plain(const QString& value);
        // A field in double quotes (line breaks kept as they are).
        Record& quoted(const QString& value);
        // In double quotes when it holds text, empty otherwise.
        Record& quotedIfNotEmpty(const QString& value);
        qsizetype fieldCount() const { return fields_.size(); }
        // The line as written, without its CR LF.
        QString text() const { return fields_.join(QLatin1Char(';')); }

    private:
        QStringList fields_;
    };

    DataFile& add(const Record& record);
    // A line written as given (a header line made of pieces, as some formats fix it).
    DataFile& addLine(const QString& line);
    const QStringList& lines() const { return lines_; }

    // The file's bytes: byte order mark, then every line with CR LF.
    QByteArray bytes() const;

    // Writes the file under a temporary name beside it and renames it at the end, so that a
    // reader never sees half a file. False with a German message naming the file otherwise.
    bool save(const QString& path, QString* error = nullptr) const;

    // What a reader sees: the field names of line 1 and the records after it.
    struct Table {
        QStringList names;
        QList<QStringList> records;
        int column(const QString& name) const;  // -1 when the file has no such field
    };
    // Splits bytes into records: CR LF (or a lone LF) ends a record outside double quotes; a
    // field that starts with a double quote runs to the next double quote and loses its quotes.
    // A byte order mark is skipped; bytes that are not UTF-8 are read as Latin-1.
    static Table parse(const QByteArray& bytes);
    // Reads a file; nullopt with a German message naming the file when it cannot be read.
    static std::optional<Table> load(const QString& path, QString* error = nullptr);

    // The cleaning of one value for a plain or a quoted field (see above).
    static QString plainValue(const QString& value);
    static QString quotedValue(const QString& value);

private:
    QStringList lines_;
};

}  // namespace tav
