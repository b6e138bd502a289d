#include <gtest/gtest.h>

#include "invoice/Geld.h"

using namespace tav;

// Sums that a double carries with binary noise must still land on the right cent.
TEST(GeldTest, CentsSurviveBinaryNoise) {
    struct Fall {
        const char* name;
        double betrag;
        qint64 cent;
        const char* text;
    } faelle[] = {
        {"0,1 + 0,2", 0.1 + 0.2, 30, "0,30"},
        {"1,005 rounds half up", 1.005, 101, "1,01"},
        {"2,675 rounds half up", 2.675, 268, "2,68"},
        {"negative half away from zero", -1.005, -101, "-1,01"},
        {"net of 10,00 at 7 %", 10.0 / 107.0 * 100.0, 935, "9,35"},
        {"VAT of 10,00 at 7 %", 10.0 - 10.0 / 107.0 * 100.0, 65, "0,65"},
        {"ten times 0,1", 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1 + 0.1, 100, "1,00"},
        {"thousands", 1234.5, 123450, "1.234,50"},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), 0, "0,00"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(geld::cent(f.betrag), f.cent);
        EXPECT_EQ(geld::text(f.betrag), QString::fromUtf8(f.text));
        EXPECT_DOUBLE_EQ(geld::runden(f.betrag), static_cast<double>(f.cent) / 100.0);
    }
    EXPECT_TRUE(geld::gleich(0.1 + 0.2, 0.3));
    EXPECT_FALSE(geld::gleich(100.0, 99.99));
}
