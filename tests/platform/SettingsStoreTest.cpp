#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/SettingsStore.h"

using tav::SettingsStore;

TEST(SettingsStoreTest, MissingValuesReadEmptyAndWritesLandInTheConfigFile) {
    SettingsStore store;
    store.deleteSection();
    EXPECT_EQ(store.getSetting(QStringLiteral("Pfad")), QString());

    store.saveSetting(QStringLiteral("Pfad"), QStringLiteral("/daten/Tavomera.mdb"));
    store.saveSetting(QStringLiteral("Zentra2"), QStringLiteral("/daten/Zentra2.mdb"));
    EXPECT_EQ(SettingsStore().getSetting(QStringLiteral("Pfad")), QStringLiteral("/daten/Tavomera.mdb"));

    const QString file = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Kavurel/Tavomera.conf");
    ASSERT_TRUE(QFile::exists(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(content.contains(QStringLiteral("[Startup]")));
    EXPECT_TRUE(content.contains(QStringLiteral("Zentra2=/daten/Zentra2.mdb")));

    store.deleteSetting(QStringLiteral("Pfad"));
    EXPECT_EQ(store.getSetting(QStringLiteral("Pfad")), QString());
    EXPECT_EQ(store.getSetting(QStringLiteral("Zentra2")), QStringLiteral("/daten/Zentra2.mdb"));

    store.deleteSection();
    EXPECT_TRUE(store.names().isEmpty());
}
