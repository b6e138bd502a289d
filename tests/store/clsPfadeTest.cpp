#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "store/Parameter.h"
#include "store/clsPfade.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class clsPfadeTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        settings.deleteSection();
    }
    SettingsStore settings;
};

TEST_F(clsPfadeTest, EntriesReadTheirDefaultsUntilStoredAndKeepTheirNeighbours) {
    clsPfade p(db(), settings);
    struct Fall {
        int eintrag;
        QString name;
    };
    for (const Fall& f : {Fall{1, QStringLiteral("Dokument 1")}, Fall{5, QStringLiteral("Dokument 5")},
                          Fall{6, QStringLiteral("Dokument 1")}, Fall{10, QStringLiteral("Dokument 5")}}) {
        SCOPED_TRACE(f.eintrag);
        const clsPfade::Dokument d = p.Pfadfinden(f.eintrag);
        EXPECT_EQ(d.name, f.name);
        EXPECT_TRUE(d.pfad.isEmpty());
        EXPECT_FALSE(d.exportieren);
    }

    p.Pfadsetzen(2, {QStringLiteral("Hausprospekt"), QStringLiteral("/srv/doc/prospekt.pdf"), true});
    p.Pfadsetzen(7, {QStringLiteral("Liste"), QStringLiteral("/srv/doc/liste.ods"), false});
    const clsPfade::Dokument zwei = p.Pfadfinden(2);
    EXPECT_EQ(zwei.name, QStringLiteral("Hausprospekt"));
    EXPECT_EQ(zwei.pfad, QStringLiteral("/srv/doc/prospekt.pdf"));
    EXPECT_TRUE(zwei.exportieren);
    EXPECT_EQ(p.Pfadfinden(1).name, QStringLiteral("Dokument 1")) << "the neighbour keeps its default";
    EXPECT_EQ(p.Pfadfinden(7).name, QStringLiteral("Liste"));

    // Where the values live: the fields of the two rows and the settings values.
    Parameter parameter(db());
    EXPECT_EQ(parameter.read(QStringLiteral("Menünamen"))->text(2), QStringLiteral("Hausprospekt"));
    EXPECT_EQ(parameter.read(QStringLiteral("Menü_Export"))->text(2), QStringLiteral("Ja"));
    EXPECT_EQ(parameter.read(QStringLiteral("Menü_Export"))->text(7), QStringLiteral("Nein"));
    EXPECT_EQ(settings.getSetting(QStringLiteral("strpfad7")), QStringLiteral("/srv/doc/liste.ods"));

    // A blank name reads as the default again.
    parameter.write(QStringLiteral("Menünamen"), {{2, QStringLiteral("  ")}});
    EXPECT_EQ(p.Pfadfinden(2).name, QStringLiteral("Dokument 2"));

    EXPECT_THROW(p.Pfadfinden(0), std::out_of_range);
    EXPECT_THROW(p.Pfadsetzen(11, {}), std::out_of_range);
}

TEST_F(clsPfadeTest, DBPfadReadsTheValueItsKeyNames) {
    settings.saveSetting(QStringLiteral("Pfad"), QStringLiteral("/daten/Tavomera.mdb"));
    settings.saveSetting(QStringLiteral("BeispielPfad"), QStringLiteral("/daten/Beispiel.mdb"));
    clsPfade p(db(), settings);
    EXPECT_TRUE(p.DBPfad().isEmpty()) << "no key, no value";
    p.schluessel = QStringLiteral("Pfad");
    EXPECT_EQ(p.DBPfad(), QStringLiteral("/daten/Tavomera.mdb"));
    p.schluessel = QStringLiteral("BeispielPfad");
    EXPECT_EQ(p.DBPfad(), QStringLiteral("/daten/Beispiel.mdb"));
}
