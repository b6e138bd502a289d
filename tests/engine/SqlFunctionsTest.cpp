// The functions every connection has, attacked at their edges: extreme numbers, counts of
// arguments, dates at the ends of Jet's range. Each case gives Jet's value or Jet's error.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/SqlFunctions.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

class SqlFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override { db_ = Database::create(folder_.file(QStringLiteral("Funktionen.mdb"))); }

    // The value of a Jet expression, or the text of the error it gives ("Fehler: …", without
    // the statement the engine names on the next line).
    QString eval(const QString& expression) {
        try {
            const QVariant v = db_->scalar(QStringLiteral("SELECT ") + expression);
            if (v.isNull()) return QStringLiteral("Null");
            if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'g', 17);
            return v.toString();
        } catch (const DatabaseError& e) {
            return QStringLiteral("Fehler: ") + e.message().section(QLatin1Char('\n'), 0, 0);
        }
    }

    test::TempFolder folder_;
    std::unique_ptr<Database> db_;
};

const QString kOverflow = QStringLiteral("Fehler: Überlauf.");
const QString kInvalid = QStringLiteral("Fehler: Ungültiger Prozeduraufruf oder ungültiges Argument.");
const QString kDateRange =
    QStringLiteral("Fehler: Ungültiger Prozeduraufruf oder ungültiges Argument: Datumswerte reichen vom 01.01.100 bis zum 31.12.9999.");

struct Case {
    const char* label;
    const char* expression;
    QString expected;
};

void check(const Case& c, const QString& actual) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(actual, c.expected) << c.expression;
}

TEST_F(SqlFunctionsTest, WholeNumbersSaturateNowhereAndOverflowAsJetDoes) {
    const Case cases[] = {
        {"\\ of a number beyond 64 bits", "1e30 \\ -1", kOverflow},
        {"\\ of the smallest 64-bit number by -1", "-9223372036854775808 \\ -1", kOverflow},
        {"Mod of the smallest 64-bit number by -1", "-9223372036854775808 Mod -1", QStringLiteral("0")},
        {"\\ rounds halves to even", "7.5 \\ 2", QStringLiteral("4")},
        {"Mod by zero", "5 Mod 0", QStringLiteral("Fehler: Division durch Null.")},
        {"Fix of a huge Double stays that Double", "Fix(1e300)", QStringLiteral("1.0000000000000001e+300")},
        {"Int of a huge negative Double", "Int(-1e300)", QStringLiteral("-1.0000000000000001e+300")},
        {"Int of a whole number", "Int(-9223372036854775808)", QStringLiteral("-9223372036854775808")},
        {"Fix of a fraction", "Fix(-2.5)", QStringLiteral("-2")},
        {"CLng at its upper end", "CLng(2147483647)", QStringLiteral("2147483647")},
        {"CLng past it", "CLng(2147483647.5)", kOverflow},
        {"CInt of infinity", "CInt(1e999)", kOverflow},
        {"CDbl of infinity", "CDbl(1e999)", kOverflow},
        {"power beyond a Double", "10 ^ 400", kOverflow},
        {"Val of a number beyond a Double", "Val('1e400')", kOverflow},
        {"Round to more digits than a Double has", "Round(2.5, 400)", QStringLiteral("2.5")},
        {"Round of a huge number", "Round(1e300, 2)", QStringLiteral("1.0000000000000001e+300")},
        {"Round to negative digits", "Round(1.5, -1)", kInvalid},
        {"Left with a length beyond a Long", "Left('abcdef', 4294967298)", kOverflow},
        {"Left with a negative length", "Left('abcdef', -3)", QString()},
        {"Chr with a code beyond a Long", "Chr(4294967361)", kOverflow},
        {"InStr with a start beyond a Long", "InStr(4294967297, 'abc', 'a')", kOverflow},
        {"InStr with a start beyond the text", "InStr(10, 'abc', 'a')", QStringLiteral("0")},
        {"InStr binary", "InStr(1, 'aA', 'A', 0)", QStringLiteral("2")},
        {"InStr as text", "InStr(1, 'aA', 'A', 1)", QStringLiteral("1")},
        {"Mid with a negative length", "Mid('abc', 2, -1)", kInvalid},
        {"Mid from the start", "Mid('abc', 2)", QStringLiteral("bc")},
        {"MonthName abbreviated by a flag beyond 32 bits", "MonthName(1, 4294967296)", QStringLiteral("Jan")},
        {"WeekdayName with no such first day", "WeekdayName(1, False, 8)", kInvalid},
        {"Space beyond what a value can hold", "Space(2147483647)",
         QStringLiteral("Fehler: Nicht genügend Zeichenfolgenspeicher: der Text wird zu lang.")},
        {"Space negative", "Space(-1)", kInvalid},
        {"StrComp with no such comparison", "StrComp('a', 'b', 7)", kInvalid},
        {"Choose with a huge index", "Choose(1e300, 'a', 'b')", QStringLiteral("Null")},
    };
    for (const Case& c : cases) check(c, eval(QString::fromUtf8(c.expression)));
}

TEST_F(SqlFunctionsTest, DatesOutsideJetsRangeAreAnErrorNotAWrongDate) {
    const Case cases[] = {
        {"DateSerial rolls months over", "DateSerial(2024, 13, 1)", QStringLiteral("2025-01-01")},
        {"DateSerial with two-digit year", "DateSerial(24, 2, 29)", QStringLiteral("2024-02-29")},
        {"DateSerial year beyond Integer", "DateSerial(99999, 1, 1)", kOverflow},
        {"DateSerial day beyond 32 bits", "DateSerial(2024, 1, 4294967297)", kOverflow},
        {"DateSerial past 31.12.9999", "DateSerial(9999, 12, 32)", kDateRange},
        {"DateSerial before 100", "DateSerial(100, 1, 0)", kDateRange},
        {"DateAdd to the last day", "DateAdd('d', 1, '30.12.9999')", QStringLiteral("9999-12-31")},
        {"DateAdd past the last day", "DateAdd('d', 1, '31.12.9999')", kDateRange},
        {"DateAdd a huge number of years", "DateAdd('yyyy', 1e300, #1/1/2024#)", kDateRange},
        {"DateAdd a huge number of seconds", "DateAdd('s', -9223372036854775808, #1/1/2024#)", kDateRange},
        {"DateAdd with no such interval", "DateAdd('x', 1, #1/1/2024#)", QStringLiteral("Fehler: Ungültiges Intervall 'x' in DateAdd.")},
        {"CDate of a huge serial number", "CDate(1e300)", kDateRange},
        {"CDate of the first serial number", "CDate(-657434)", QStringLiteral("0100-01-01")},
        {"CDate of text with a huge number", "CDate('1e300')", kDateRange},
        {"a date plus a huge number", "#1/1/2024# + 1e300", kDateRange},
        {"Weekday with no such first day", "Weekday(#1/1/2024#, 8)", kInvalid},
        {"Weekday with a first day beyond 64 bits", "Weekday(#1/1/2024#, 1e300)", kOverflow},
        {"Weekday from Monday", "Weekday(#1/1/2024#, 2)", QStringLiteral("1")},
        {"DatePart with no such first day", "DatePart('w', #1/1/2024#, -1)", kInvalid},
        {"DateDiff with a first day beyond 32 bits", "DateDiff('ww', #1/1/2024#, #2/1/2024#, 4294967298)", kOverflow},
        {"DateDiff in seconds across the whole range", "DateDiff('s', '01.01.0100', '31.12.9999')",
         QString::number((2958465LL + 657434LL) * 86400)},
        {"Year of a stored date before 100", "Year('0099-12-31')", kDateRange},
        {"IsDate of a date before the range", "IsDate('31.12.0099')", QStringLiteral("0")},
        {"IsDate of the last date", "IsDate('31.12.9999')", QStringLiteral("-1")},
    };
    for (const Case& c : cases) check(c, eval(QString::fromUtf8(c.expression)));
}

TEST_F(SqlFunctionsTest, FormatOfExtremeNumbersIsText) {
    const Case cases[] = {
        {"fifteen digits, then zeros", "Format(-123456789012345678, '0')", QStringLiteral("-123456789012346000")},
        {"a percentage of a huge number", "Format(1e307, '0%')", QStringLiteral("1") + QString(309, QLatin1Char('0')) + QLatin1Char('%')},
        {"negative zero", "Format(-0.0, '0.00')", QStringLiteral("0,00")},
        {"infinity", "Format(1e999, '0.00')", kOverflow},
        {"an ordinary amount", "Format(1234.5, '#,##0.00')", QStringLiteral("1.234,50")},
    };
    for (const Case& c : cases) check(c, eval(QString::fromUtf8(c.expression)));

    // 1e308 has 309 digits: 15 significant ones, then zeros, grouped by three.
    QString grouped = QStringLiteral("100");
    for (int i = 0; i < 102; ++i) grouped += QStringLiteral(".000");
    EXPECT_EQ(eval(QStringLiteral("Format(1e308, '#,##0.00')")), grouped + QStringLiteral(",00"));
    // More decimals than a Double has (10^400 is no Double): the digits, then zeros.
    const QString fmt = QStringLiteral("0.") + QString(400, QLatin1Char('0'));
    EXPECT_EQ(db_->scalar(QStringLiteral("SELECT Format(1.5, ?)"), {fmt}).toString(),
              QStringLiteral("1,5") + QString(399, QLatin1Char('0')));
}

TEST_F(SqlFunctionsTest, AWrongNumberOfArgumentsIsRefusedByName) {
    const Case cases[] = {
        {"DateDiff with two", "DateDiff('d', #1/1/2024#)", QStringLiteral("DateDiff")},
        {"DatePart with one", "DatePart('d')", QStringLiteral("DatePart")},
        {"Weekday with none", "Weekday()", QStringLiteral("Weekday")},
        {"Format with none", "Format()", QStringLiteral("Format")},
        {"Round with three", "Round(1, 2, 3)", QStringLiteral("Round")},
        {"Nz with none", "Nz()", QStringLiteral("Nz")},
        {"Mid with one", "Mid('abc')", QStringLiteral("Mid")},
        {"InStr with one", "InStr('abc')", QStringLiteral("InStr")},
        {"StrComp with one", "StrComp('a')", QStringLiteral("StrComp")},
        {"MonthName with none", "MonthName()", QStringLiteral("MonthName")},
        {"WeekdayName with four", "WeekdayName(1, 0, 1, 1)", QStringLiteral("WeekdayName")},
        {"Choose with an index only", "Choose(1)", QStringLiteral("Choose")},
        {"Switch with an odd count", "Switch(1, 2, 3)", QStringLiteral("Switch")},
        {"Now with one", "Now(1)", QStringLiteral("Now")},
    };
    for (const Case& c : cases)
        check({c.label, c.expression, QStringLiteral("Fehler: Falsche Anzahl an Argumenten für die Funktion '%1'.").arg(c.expected)},
              eval(QString::fromUtf8(c.expression)));
}

// Like keeps SQLite's limit on the length of a pattern, and an open bracket without end costs
// no more than any other character.
TEST_F(SqlFunctionsTest, LikeRefusesOverlongPatternsAndReadsOpenBracketsOnce) {
    const QString brackets(50000, QLatin1Char('['));
    EXPECT_EQ(db_->scalar(QStringLiteral("SELECT ? Like ?"), {brackets, brackets}).toInt(), -1);
    EXPECT_EQ(db_->scalar(QStringLiteral("SELECT 'ab' Like ?"), {QStringLiteral("[a-b]*")}).toInt(), -1);
    try {
        db_->scalar(QStringLiteral("SELECT 'x' Like ?"), {QString(50001, QLatin1Char('*'))});
        ADD_FAILURE() << "a pattern past the limit was taken";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Das Muster für Like ist zu lang."))) << e.message().toStdString();
    }
}

// The registry itself: every Jet name resolves to its registered function, and every declared
// count range is a range.
TEST(SqlFunctionsRegistryTest, EveryNameResolvesAndEveryRangeIsARange) {
    const QList<sqlfunctions::FunctionInfo> all = sqlfunctions::functions();
    ASSERT_GT(all.size(), 50);
    for (const auto& f : all) {
        SCOPED_TRACE(f.sqlName.toStdString());
        EXPECT_GE(f.minArgs, 0);
        EXPECT_TRUE(f.maxArgs == -1 || f.maxArgs >= f.minArgs);
        for (const QString& name : f.jetNames) {
            EXPECT_EQ(sqlfunctions::sqlName(name), f.sqlName);
            EXPECT_EQ(sqlfunctions::sqlName(name.toUpper()), f.sqlName);
        }
        if (!f.jetNames.isEmpty()) {
            EXPECT_EQ(sqlfunctions::jetName(f.sqlName), f.jetNames.front());
        }
    }
    EXPECT_TRUE(sqlfunctions::sqlName(QStringLiteral("Replace")).isEmpty());
}

}  // namespace
