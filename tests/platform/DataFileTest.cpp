#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/DataFile.h"
#include "support/TempFolder.h"

using namespace tav;

TEST(DataFileTest, LinesEndWithCrLfAfterAByteOrderMark) {
    DataFile f;
    f.addLine(QStringLiteral("A;B;Größe"));
    f.add(DataFile::Record().plain(QStringLiteral("1")).plain(QString()).plain(QStringLiteral("ä")));
    EXPECT_EQ(f.bytes(), QByteArray("\xEF\xBB\xBF"
                                    "A;B;Gr\xC3\xB6\xC3\x9F"
                                    "e\r\n1;;\xC3\xA4\r\n"));
    EXPECT_EQ(DataFile().bytes(), QByteArray("\xEF\xBB\xBF"));
}

TEST(DataFileTest, FieldsKeepTheirRecordWhateverTheyHold) {
    const struct {
        const char* name;
        const char* value;
        const char* plain;   // as written without quotes
        const char* quoted;  // as written in quotes
    } rows[] = {
        {"ordinary text", "Zimmer 12", "Zimmer 12", "\"Zimmer 12\""},
        {"semicolon", "a;b", "a,b", "\"a;b\""},
        {"CR LF", "a\r\nb", "a b", "\"a\r\nb\""},
        {"line feed", "a\nb", "a b", "\"a\nb\""},
        {"carriage return", "a\rb", "a b", "\"a\rb\""},
        {"double quote", "sagt \"ja\"", "sagt 'ja'", "\"sagt 'ja'\""},
        {"leading quote", "\"x", "'x", "\"'x\""},
        {"empty", "", "", "\"\""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const QString v = QString::fromUtf8(r.value);
        EXPECT_EQ(DataFile::Record().plain(v).text(), QString::fromUtf8(r.plain));
        EXPECT_EQ(DataFile::Record().quoted(v).text(), QString::fromUtf8(r.quoted));

        // Written between two other fields, the value comes back as one field of three.
        DataFile f;
        f.addLine(QStringLiteral("X;Wert;Y"));
        f.add(DataFile::Record().plain(QStringLiteral("links")).quoted(v).plain(QStringLiteral("rechts")));
        f.add(DataFile::Record().plain(QStringLiteral("links")).plain(v).plain(QStringLiteral("rechts")));
        const DataFile::Table t = DataFile::parse(f.bytes());
        ASSERT_EQ(t.records.size(), 2);
        for (const QStringList& rec : t.records) {
            ASSERT_EQ(rec.size(), 3);
            EXPECT_EQ(rec[0], QStringLiteral("links"));
            EXPECT_EQ(rec[2], QStringLiteral("rechts"));
        }
        QString back = v;
        back.replace(QLatin1Char('"'), QLatin1Char('\''));
        EXPECT_EQ(t.records[0][1], back);
    }
    EXPECT_EQ(DataFile::Record().quotedIfNotEmpty(QString()).text(), QString());
    EXPECT_EQ(DataFile::Record().quotedIfNotEmpty(QStringLiteral("\nGästezahl: 2")).text(), QStringLiteral("\"\nGästezahl: 2\""));
}

TEST(DataFileTest, ReaderCopesWithFilesOfOtherWriters) {
    const struct {
        const char* name;
        QByteArray bytes;
        int records;
        const char* lastField;
    } rows[] = {
        {"without byte order mark", QByteArray("A;B\r\n1;2\r\n"), 1, "2"},
        {"lone line feeds", QByteArray("A;B\n1;2\n3;4"), 2, "4"},
        {"no line end at the end", QByteArray("A;B\r\n1;2"), 1, "2"},
        {"empty lines are skipped", QByteArray("A;B\r\n\r\n1;2\r\n\r\n"), 1, "2"},
        {"Latin-1 text", QByteArray("A;B\r\n1;K\xF6ln\r\n"), 1, "K\xC3\xB6ln"},
        {"quote inside a plain field", QByteArray("A;B\r\n1;Zoll 5\"\r\n"), 1, "Zoll 5\""},
        {"unclosed quote runs to the end", QByteArray("A;B\r\n1;\"offen\r\nweiter"), 1, "offen\r\nweiter"},
        {"empty last field", QByteArray("A;B\r\n1;\r\n"), 1, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const DataFile::Table t = DataFile::parse(r.bytes);
        EXPECT_EQ(t.names, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        ASSERT_EQ(t.records.size(), r.records);
        EXPECT_EQ(t.records.last().last(), QString::fromUtf8(r.lastField));
    }
    const DataFile::Table t = DataFile::parse("Name;PLZ\r\n");
    EXPECT_EQ(t.column(QStringLiteral("plz")), 1) << "field names are found without regard to case";
    EXPECT_EQ(t.column(QStringLiteral("Ort")), -1);
    EXPECT_TRUE(t.records.isEmpty());
}

TEST(DataFileTest, SaveReplacesTheFileWholeOrNotAtAll) {
    test::TempFolder tmp;
    const QString path = tmp.file(QStringLiteral("Rechn.doc"));
    DataFile alt;
    alt.addLine(QStringLiteral("alt"));
    ASSERT_TRUE(alt.save(path));
    DataFile neu;
    neu.addLine(QStringLiteral("neu;1"));
    QString fehler;
    ASSERT_TRUE(neu.save(path, &fehler)) << qPrintable(fehler);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), neu.bytes());
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Rechn.doc")}) << "no temporary file left";

    const QString nirgends = tmp.file(QStringLiteral("fehlt/Rechn.doc"));
    EXPECT_FALSE(neu.save(nirgends, &fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("Rechn.doc"))) << qPrintable(fehler);
    EXPECT_TRUE(fehler.startsWith(QStringLiteral("Die Datei "))) << qPrintable(fehler);

    EXPECT_FALSE(DataFile::load(nirgends, &fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("Rechn.doc")));
    const auto gelesen = DataFile::load(path);
    ASSERT_TRUE(gelesen);
    EXPECT_EQ(gelesen->names, (QStringList{QStringLiteral("neu"), QStringLiteral("1")}));
}
