#include <gtest/gtest.h>

#include "engine/JetText.h"

using tav::jettext::compare;

TEST(JetTextTest, CaseIsIgnoredUmlautsSortWithTheirBaseLetterAndOrderIsTotal) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"Müller", "MÜLLER", 0},  {"müller", "Muller", 1},   {"Äpfel", "Birne", -1}, {"Äpfel", "apfel", 1},
        {"Straße", "Strasse", 1}, {"Strassen", "Straße", 1}, {"abc", "ABD", -1},     {"", "a", -1},
        {"Öl", "Ol", 1},          {"Zander", "Äpfel", 1},    {"é", "E", 1},          {"10", "9", -1},
    };
    for (const Case& c : cases) {
        const QString a = QString::fromUtf8(c.a), b = QString::fromUtf8(c.b);
        const int r = compare(a, b);
        EXPECT_EQ((r > 0) - (r < 0), c.expected) << c.a << " vs " << c.b;
        const int back = compare(b, a);
        EXPECT_EQ((back > 0) - (back < 0), -c.expected) << "antisymmetric: " << c.b << " vs " << c.a;
        const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
        const int bytes = tav::jettext::compareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
        EXPECT_EQ((bytes > 0) - (bytes < 0), c.expected) << "UTF-8 path: " << c.a;
    }
}
