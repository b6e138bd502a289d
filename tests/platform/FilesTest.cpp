#include <gtest/gtest.h>

#include <QFile>

#include "platform/Files.h"
#include "support/TempFolder.h"

using namespace tav;

TEST(FilesTest, CopyRefusesToOverwriteFoldersAndSearch) {
    test::TempFolder tmp;
    const QString a = tmp.file(QStringLiteral("a.mdb"));
    const QString b = tmp.file(QStringLiteral("b.mdb"));
    {
        QFile f(a);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("eins");
    }
    EXPECT_TRUE(files::copyFile(a, b));
    EXPECT_FALSE(files::copyFile(a, b)) << "an existing target must be refused";
    EXPECT_TRUE(files::copyFile(a, b, false));

    const QString sub = tmp.file(QStringLiteral("Sicherungen/2024"));
    EXPECT_TRUE(files::createFolder(sub));
    EXPECT_TRUE(files::folderExists(sub));
    EXPECT_TRUE(files::removeFolder(sub));
    EXPECT_FALSE(files::folderExists(sub));

    EXPECT_EQ(files::findFiles(tmp.path(), QStringLiteral("*.mdb")), (QStringList{QStringLiteral("a.mdb"), QStringLiteral("b.mdb")}));
    EXPECT_TRUE(files::deleteFile(a));
    EXPECT_FALSE(files::exists(a));
    EXPECT_EQ(files::join(QStringLiteral("/prog/"), QStringLiteral("\\Rechnungen")), QStringLiteral("/prog/Rechnungen"));
}
