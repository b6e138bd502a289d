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
    EXPECT_EQ(d.message(QStringLiteral("Fortfahren?"), QStringLiteral("Datenpflege"), Buttons::YesNo, Icon::None, 2), Answer::No);

    ASSERT_EQ(d.shown().size(), 4);
    EXPECT_EQ(d.shown()[0].caption, QStringLiteral("Pension Sonne"));
    EXPECT_EQ(d.shown()[0].icon, Icon::Question);
    EXPECT_EQ(d.shown()[1].caption, QStringLiteral("Titel"));
    EXPECT_EQ(d.shown()[3].caption, QStringLiteral("Datenpflege"));
    EXPECT_EQ(d.unanswered(), QStringList{QStringLiteral("Fortfahren?")});
    EXPECT_TRUE(d.allAnswersUsed());
    d.expectUnanswered();
}

namespace {
QStringList reported;
void collect(const QStringList& leftOpen) { reported << leftOpen; }
}  // namespace

// The test program fails a test whose dialogs end with a box unanswered or an answer unused.
TEST(ScriptedDialogsTest, ReportsWhatIsLeftOpenWhenClearedOrDestroyed) {
    struct Case {
        const char* label;
        void (*script)(ScriptedDialogs&);
        QStringList expected;
    };
    const Case cases[] = {
        {"all answered",
         [](ScriptedDialogs& d) {
             d.answer(Answer::Yes);
             d.message(QStringLiteral("A?"), {}, Buttons::YesNo);
         },
         {}},
        {"box unanswered",
         [](ScriptedDialogs& d) { d.message(QStringLiteral("A?"), {}, Buttons::YesNo); },
         {QStringLiteral("unanswered: A?")}},
        {"declared unanswered",
         [](ScriptedDialogs& d) {
             d.message(QStringLiteral("A?"), {}, Buttons::YesNo);
             d.expectUnanswered();
         },
         {}},
        {"answers unused",
         [](ScriptedDialogs& d) {
             d.answer(Answer::No);
             d.answerText(QStringLiteral("7"));
             d.answerFile(QStringLiteral("x.mdb"));
         },
         {QStringLiteral("answer unused: No"), QStringLiteral("text unused: 7"), QStringLiteral("file unused: x.mdb")}},
        {"declared unanswered still reports unused answers",
         [](ScriptedDialogs& d) {
             d.answer(Answer::Yes);
             d.expectUnanswered();
         },
         {QStringLiteral("answer unused: Yes")}},
    };
    const ScriptedDialogs::LeftOpenHandler previous = ScriptedDialogs::setLeftOpenHandler(collect);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reported.clear();
        {
            ScriptedDialogs d;
            c.script(d);
        }
        EXPECT_EQ(reported, c.expected) << "on destruction";
        reported.clear();
        ScriptedDialogs d;
        c.script(d);
        d.clear();
        EXPECT_EQ(reported, c.expected) << "on clear()";
        reported.clear();
        // clear() forgot everything, including the declaration.
        d.message(QStringLiteral("B?"), {}, Buttons::YesNo);
        d.clear();
        EXPECT_EQ(reported, QStringList{QStringLiteral("unanswered: B?")});
        reported.clear();
    }
    ScriptedDialogs::setLeftOpenHandler(previous);
}

TEST(ScriptedDialogsTest, PipeFiltersBecomeQtFilters) {
    EXPECT_EQ(Dialogs::qtFilter(QStringLiteral("Tavomera.mdb(Tavomera.mdb)|Tavomera.mdb|Access Datenbanken (*.mdb)|*.mdb|")),
              QStringLiteral("Tavomera.mdb(Tavomera.mdb) (Tavomera.mdb);;Access Datenbanken (*.mdb) (*.mdb)"));
}
