#include <gtest/gtest.h>

#include "platform/Dates.h"

using namespace tav;

TEST(DatesTest, TheFormsDateTest) {
    struct Case {
        const char* text;
        QDate expected;  // invalid = refused
    };
    const Case cases[] = {
        {"13.1.02", QDate(2002, 1, 13)},
        {"13.01.2002", QDate(2002, 1, 13)},
        {"1.1.30", QDate(2030, 1, 1)},
        {"1.1.31", QDate(1931, 1, 1)},
        {"29.02.2004", QDate(2004, 2, 29)},
        {"29.02.2001", QDate()},
        {"31.04.2024", QDate()},
        {"30.04.2024", QDate(2024, 4, 30)},
        {"01.01.1930", QDate()},
        {"01.01.2501", QDate()},
        {"01.01.2500", QDate(2500, 1, 1)},
        {"29.02.2100", QDate()},
        {"1.13.2024", QDate()},
        {"0.1.2024", QDate()},
        {"1.1.024", QDate()},
        {"01-01-2024", QDate()},
        {"1.1.2024.", QDate()},
        {" 5.6.24 ", QDate(2024, 6, 5)},
        {"", QDate()},
        {"123.1.2024", QDate()},
    };
    for (const Case& c : cases) {
        const auto d = dates::parse(QString::fromUtf8(c.text));
        EXPECT_EQ(d.value_or(QDate()), c.expected) << c.text;
        EXPECT_EQ(dates::isDate(QString::fromUtf8(c.text)), c.expected.isValid()) << c.text;
    }
}

TEST(DatesTest, GermanNamesAndShortForms) {
    EXPECT_EQ(dates::weekdayShort(QDate(2024, 1, 6)), QStringLiteral("Sa"));
    EXPECT_EQ(dates::weekdayName(QDate(2024, 1, 7)), QStringLiteral("Sonntag"));
    EXPECT_EQ(dates::monthName(3), QStringLiteral("März"));
    EXPECT_EQ(dates::monthShort(12), QStringLiteral("Dez"));
    EXPECT_EQ(dates::longDate(QDate(2024, 1, 6)), QStringLiteral("06.01.2024"));
    EXPECT_EQ(dates::shortDate(QDate(2024, 1, 6)), QStringLiteral("06.01.24"));
}
