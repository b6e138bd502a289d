#include <gtest/gtest.h>

#include "engine/Database.h"
#include "store/Schema.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class SchemaTest : public test::DatabaseFixture {};

TEST_F(SchemaTest, EveryTableIsReachableThroughTheLinkDatabaseWithItsJetTypes) {
    for (const schema::TableEntry& entry : schema::tables()) {
        if (entry.home == schema::Home::Holiday) continue;
        const auto def = db().tableDef(entry.def.name);
        ASSERT_TRUE(def.has_value()) << entry.def.name.toStdString();
        EXPECT_TRUE(def->isLinked());
        EXPECT_TRUE(
            def->connect.contains(entry.home == schema::Home::Central ? QStringLiteral("Zentral.mdb") : QStringLiteral("Tavomera.mdb")));
        for (const FieldDef& f : entry.def.fields) {
            const FieldDef* got = def->field(f.name);
            ASSERT_NE(got, nullptr) << entry.def.name.toStdString() << "." << f.name.toStdString();
            EXPECT_EQ(got->type, f.type) << f.name.toStdString();
            EXPECT_EQ(got->counter, f.counter) << f.name.toStdString();
        }
    }
    // The holiday database holds the holidays to import and the postcodes.
    auto holiday = open(QStringLiteral("Feiertag.mdb"));
    EXPECT_TRUE(holiday->hasTableDef(QStringLiteral("tbPLZ")) && holiday->hasTableDef(QStringLiteral("tbFeiertage")));
    // The sample database holds every table itself.
    auto sample = open(QStringLiteral("Beispiel.mdb"));
    EXPECT_FALSE(sample->tableDef(QStringLiteral("tblBelegung"))->isLinked() || sample->tableDef(QStringLiteral("tblTarife"))->isLinked());
}

TEST_F(SchemaTest, FieldNamesAreFoundWhateverTheirCase) {
    db().execute(QStringLiteral("INSERT INTO Address (LastName, City) VALUES ('Huber', 'Ulm')"));
    Recordset rs = db().openRecordset(QStringLiteral("SELECT address.lastname, ADDRESS.CITY FROM address"));
    EXPECT_EQ(rs.text(QStringLiteral("LastName")), QStringLiteral("Huber"));
    EXPECT_EQ(rs.text(QStringLiteral("city")), QStringLiteral("Ulm"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM TBLÄNDER")).toInt(), 0);
    db().execute(QStringLiteral("INSERT INTO tbLänder (LÄNDER) VALUES ('Österreich')"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT tbländer.länder FROM tbLänder")).toString(), QStringLiteral("Österreich"));
}
