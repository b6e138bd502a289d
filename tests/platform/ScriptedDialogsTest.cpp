#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/ScriptedDialogs.h"

using namespace tav;

TEST(ScriptedDialogsTest, AnswersInOrderRecordsEveryBoxAndFlagsUnexpectedQuestions) {
    ScriptedDialogs d;
    d.setDefaultCaption(QStringLiteral("Pension Sonne"));
    d.answer(Answer::No);
    d.answerText(QStringLiteral("6"));

    EXPECT_EQ(d.message(QStringLiteral("Speichern?"), {}, Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(d.input(QStringLiteral("Wie viele?"), QStringLiteral("Titel")), QStringLiteral("6"));
    // An information box needs no scripted answer.
    EXPECT_EQ(d.message(QStringLiteral("Fertig.")), Answer::Ok);
    // A question nobody scripted takes its default button and is listed.
    EXPECT_EQ(d.message(QStringLiteral("Fortfahren?"), QStringLiteral("Datenpflege"), Buttons::YesNo, Icon::None, 2),
              Answer::No);

    ASSERT_EQ(d.shown().size(), 4);
    EXPECT_EQ(d.shown()[0].caption, QStringLiteral("Pension Sonne"));
    EXPECT_EQ(d.shown()[0].icon, Icon::Question);
    EXPECT_EQ(d.shown()[1].caption, QStringLiteral("Titel"));
    EXPECT_EQ(d.shown()[3].caption, QStringLiteral("Datenpflege"));
    EXPECT_EQ(d.unanswered(), QStringList{QStringLiteral("Fortfahren?")});
    EXPECT_TRUE(d.allAnswersUsed());
}

TEST(ScriptedDialogsTest, PipeFiltersBecomeQtFilters) {
    EXPECT_EQ(Dialogs::qtFilter(QStringLiteral("Tavomera.mdb(Tavomera.mdb)|Tavomera.mdb|Access Datenbanken (*.mdb)|*.mdb|")),
              QStringLiteral("Tavomera.mdb(Tavomera.mdb) (Tavomera.mdb);;Access Datenbanken (*.mdb) (*.mdb)"));
}
