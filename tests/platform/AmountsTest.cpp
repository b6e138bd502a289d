#include <gtest/gtest.h>

#include <optional>

#include "platform/Amounts.h"

using namespace tav;

TEST(AmountsTest, FormatsGermanAmountsRoundedToCents) {
    struct Case {
        double amount;
        const char* expected;
    };
    const Case cases[] = {
        {1234.5, "1.234,50"}, {0, "0,00"},       {-0.004, "0,00"},  // no "-0,00"
        {2.675, "2,68"},      {-2.675, "-2,68"}, {1234567.891, "1.234.567,89"},
    };
    for (const Case& c : cases) EXPECT_EQ(amounts::format(c.amount), QString::fromUtf8(c.expected)) << c.amount;
}

TEST(AmountsTest, ReadsWhatTheUserTypesAndRefusesTheRest) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1.234,50", 1234.5}, {"1234,5", 1234.5}, {" 85 ", 85.0}, {"1.234", 1234.0},
        {"12.50", 12.5},      {"-3,20", -3.2},    {"85 €", 85.0}, {"1.234.567,89", 1234567.89},
        {"12,3,4", {}},       {"abc", {}},        {"", {}},       {"1.23,00", {}},
        {"12.3.4", {}},       {"1,2a", {}},       {"1234.", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(amounts::parse(QString::fromUtf8(c.text)), c.expected) << c.text;
    for (const char* zahl : {"0", "7", "0365"}) EXPECT_TRUE(amounts::isCount(QString::fromUtf8(zahl))) << zahl;
    for (const char* keine : {"", " 7", "-1", "1,5", "+3", "٣", "7a"}) EXPECT_FALSE(amounts::isCount(QString::fromUtf8(keine))) << keine;
}
