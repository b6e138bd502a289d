#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "invoice/ui/StammFensterFixture.h"
#include "invoice/ui/frmArtikel.h"
#include "support/FremdeSperre.h"
#include "support/Screenshot.h"

using namespace tav;

using frmArtikelTest = test::StammFensterFixture;

TEST_F(frmArtikelTest, ArticleWindowSortsLoadsAndSaves) {
    frmArtikel f(*beispiel_, dialogs_);
    QAbstractItemModelTester tester(&f.modell(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Artikel"));
    ASSERT_EQ(f.modell().rowCount(), 5);
    EXPECT_FALSE(f.cmdLöschen->isEnabled()) << "nothing loaded to delete";
    nichtsAbgeschnitten(f.ctrflexArtikel);
    test::saveScreenshot(f, QStringLiteral("frmArtikel"));

    kopfKlick(f.ctrflexArtikel, 1);
    const QStringList aufsteigend = spalte(f.modell(), 1);
    kopfKlick(f.ctrflexArtikel, 1);
    const QStringList absteigend = spalte(f.modell(), 1);
    EXPECT_EQ(aufsteigend.first(), QStringLiteral("0,00"));
    EXPECT_EQ(absteigend.first(), QStringLiteral("24,00"));
    EXPECT_EQ(f.ctrflexArtikel->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);

    zeileKlick(f.ctrflexArtikel, 0);  // Halbpension, the dearest
    EXPECT_EQ(f.txtName->text(), QStringLiteral("Halbpension"));
    EXPECT_EQ(f.txtPreis->text(), QStringLiteral("24,00"));
    EXPECT_EQ(f.cboMwSt->currentText(), QStringLiteral("19"));
    EXPECT_TRUE(f.cmdLöschen->isEnabled());

    f.txtPreis->setFocus();
    f.txtPreis->selectAll();
    QTest::keyClicks(f.txtPreis, QStringLiteral("2x6,5"));
    EXPECT_EQ(f.txtPreis->text(), QStringLiteral("26,5")) << "letters are not taken";
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(beispiel_->scalar(QStringLiteral("SELECT Preis FROM tbArtKategorie WHERE ArtKategorie = 'Halbpension'")).toDouble(), 26.5);
    EXPECT_EQ(f.txtPreis->text(), QStringLiteral("26,50"));
    EXPECT_EQ(spalte(f.modell(), 1).first(), QStringLiteral("26,50")) << "the grid shows the saved price";

    // A new article without a name is refused with the message and nothing is written.
    f.CmdNeueDaten->click();
    EXPECT_TRUE(f.txtName->text().isEmpty());
    f.cmdSpeichern->click();
    EXPECT_EQ(dialogs_.texts(), QStringList{ArtikelLogik::kNameLeer});
    EXPECT_EQ(f.modell().rowCount(), 5);
}

TEST_F(frmArtikelTest, ALockedFileLeavesTheWindowUsable) {
    frmArtikel f(*beispiel_, dialogs_);
    f.show();
    zeileKlick(f.ctrflexArtikel, 0);
    f.txtName->setText(QStringLiteral("Frühstücksbuffet"));
    emit f.txtName->textEdited(f.txtName->text());
    test::FremdeSperre::kurzWarten(*beispiel_);
    test::FremdeSperre sperre({file(QStringLiteral("Beispiel.mdb"))});
    f.cmdSpeichern->click();
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Der Artikel konnte nicht gespeichert werden.")));
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("Beispiel.mdb")));
    EXPECT_EQ(f.txtName->text(), QStringLiteral("Frühstücksbuffet")) << "what was typed stays";
    EXPECT_EQ(f.modell().rowCount(), 5);
    sperre.freigeben();
    dialogs_.clear();
    f.cmdSpeichern->click();
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    EXPECT_EQ(beispiel_->scalar(QStringLiteral("SELECT Count(*) FROM tbArtKategorie WHERE ArtKategorie = 'Frühstücksbuffet'")).toInt(), 1);
}
