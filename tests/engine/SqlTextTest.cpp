#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>

#include "engine/SqlText.h"

using namespace tav;

// Whatever the user's regional settings say, SQL text gets a point and month-day-year.
TEST(SqlTextTest, LiteralsIgnoreTheUserLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    struct Case {
        const char* label;
        QString actual;
        QString expected;
    };
    const Case cases[] = {
        {"decimal point", sqltext::amount(1234.5), QStringLiteral("1234.5")},
        {"no binary noise", sqltext::amount(0.1 + 0.2), QStringLiteral("0.3")},
        {"negative whole", sqltext::amount(-7), QStringLiteral("-7")},
        {"cents kept", sqltext::amount(99999.99), QStringLiteral("99999.99")},
        {"month first", sqltext::date(QDate(2007, 2, 3)), QStringLiteral("#02-03-2007#")},
        {"CDate day first", sqltext::cdate(QDate(2002, 1, 13)), QStringLiteral("CDate('13.01.2002')")},
        {"quoted German date", sqltext::quotedGermanDate(QDate(2024, 12, 31)), QStringLiteral("'31.12.2024'")},
        {"quote doubled", sqltext::text(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'")},
        {"every quote doubled", sqltext::text(QStringLiteral("''")), QStringLiteral("''''''")},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.label;
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(before);
}
