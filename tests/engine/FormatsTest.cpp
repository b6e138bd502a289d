#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>

#include "platform/Amounts.h"
#include "platform/Dates.h"
#include "engine/SqlText.h"

using namespace tav;

TEST(SqlTextTest, AmountsAndDatesIgnoreTheUserLocale) {
    // Whatever the user's regional settings say, SQL text gets a point and month-day-year.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(sqltext::amount(1234.5), QStringLiteral("1234.5"));
    EXPECT_EQ(sqltext::amount(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(sqltext::amount(-7), QStringLiteral("-7"));
    EXPECT_EQ(sqltext::date(QDate(2007, 2, 3)), QStringLiteral("#02-03-2007#"));
    EXPECT_EQ(sqltext::cdate(QDate(2002, 1, 13)), QStringLiteral("CDate('13.01.2002')"));
    EXPECT_EQ(sqltext::text(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
}

TEST(AmountsTest, FormatsAndReadsGermanAmounts) {
    EXPECT_EQ(amounts::format(1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(amounts::format(0), QStringLiteral("0,00"));
    EXPECT_EQ(amounts::format(-0.004), QStringLiteral("0,00"));
    EXPECT_EQ(amounts::format(2.675), QStringLiteral("2,68"));
    EXPECT_EQ(amounts::parse(QStringLiteral("1.234,50")), 1234.5);
    EXPECT_EQ(amounts::parse(QStringLiteral("1234,5")), 1234.5);
    EXPECT_EQ(amounts::parse(QStringLiteral(" 85 ")), 85.0);
    EXPECT_EQ(amounts::parse(QStringLiteral("1.234")), 1234.0);
    EXPECT_EQ(amounts::parse(QStringLiteral("12.50")), 12.5);
    EXPECT_FALSE(amounts::parse(QStringLiteral("12,3,4")).has_value());
    EXPECT_FALSE(amounts::parse(QStringLiteral("abc")).has_value());
    EXPECT_FALSE(amounts::parse(QString()).has_value());
}

TEST(DatesTest, TheFormsDateTest) {
    struct Case {
        const char* text;
        QDate expected;  // invalid = refused
    };
    const Case cases[] = {
        {"13.1.02", QDate(2002, 1, 13)},   {"13.01.2002", QDate(2002, 1, 13)}, {"1.1.30", QDate(2030, 1, 1)},
        {"1.1.31", QDate(1931, 1, 1)},     {"29.02.2004", QDate(2004, 2, 29)}, {"29.02.2001", QDate()},
        {"31.04.2024", QDate()},           {"30.04.2024", QDate(2024, 4, 30)}, {"01.01.1930", QDate()},
        {"01.01.2501", QDate()},           {"01.01.2500", QDate(2500, 1, 1)},  {"29.02.2100", QDate()},
        {"1.13.2024", QDate()},            {"0.1.2024", QDate()},              {"1.1.024", QDate()},
        {"01-01-2024", QDate()},           {"1.1.2024.", QDate()},             {" 5.6.24 ", QDate(2024, 6, 5)},
        {"", QDate()},                     {"123.1.2024", QDate()},
    };
    for (const Case& c : cases) {
        const auto d = dates::parse(QString::fromUtf8(c.text));
        EXPECT_EQ(d.value_or(QDate()), c.expected) << c.text;
        EXPECT_EQ(dates::isDate(QString::fromUtf8(c.text)), c.expected.isValid()) << c.text;
    }
    EXPECT_EQ(dates::weekdayShort(QDate(2024, 1, 6)), QStringLiteral("Sa"));
    EXPECT_EQ(dates::monthName(3), QStringLiteral("März"));
    EXPECT_EQ(dates::longDate(QDate(2024, 1, 6)), QStringLiteral("06.01.2024"));
    EXPECT_EQ(dates::shortDate(QDate(2024, 1, 6)), QStringLiteral("06.01.24"));
}
