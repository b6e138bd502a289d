#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

#include "Fensterbilder.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// A window that asks before it closes, as an input window with unsaved changes does.
class Fragefenster : public QDialog {
public:
    QMessageBox::StandardButton antwort = QMessageBox::NoButton;
    int fragen = 0;
    bool frageBeimSchliessen = false;

    Fragefenster() {
        setWindowTitle(QStringLiteral("Eingabe"));
        auto* l = new QVBoxLayout(this);
        l->addWidget(new QLabel(QStringLiteral("Ein Feld")));
        resize(300, 120);
    }
    void reject() override {
        if (frageBeimSchliessen) {
            ++fragen;
            antwort = QMessageBox::question(this, QStringLiteral("Eingabe"), QStringLiteral("Änderungen oder neue Daten speichern?"),
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (antwort == QMessageBox::Cancel) return;
        }
        QDialog::reject();
    }
};

class FensterbilderTest : public ::testing::Test {
protected:
    test::TempFolder ordner;
};

TEST_F(FensterbilderTest, AModalWindowIsTakenUnderItsCaptionAndClosedSayingNoToItsQuestion) {
    handbuch::Fensterbilder bilder(ordner.path());
    struct Fall {
        const char* name;
        bool frage;
    };
    for (const Fall& f : {Fall{"schlicht", false}, Fall{"mit-frage", true}}) {
        SCOPED_TRACE(f.name);
        Fragefenster fenster;
        fenster.frageBeimSchliessen = f.frage;
        EXPECT_TRUE(bilder.modal(QString::fromUtf8(f.name), [&] { fenster.exec(); }));
        const QImage bild(ordner.file(QString::fromUtf8(f.name) + QStringLiteral(".png")));
        ASSERT_FALSE(bild.isNull());
        EXPECT_EQ(bild.width(), fenster.width());
        EXPECT_GT(bild.height(), fenster.height()) << "a title bar above the window";
        EXPECT_FALSE(fenster.isVisible());
        if (f.frage) {
            EXPECT_EQ(fenster.fragen, 1);
            EXPECT_EQ(fenster.antwort, QMessageBox::No) << "nothing is saved while pictures are taken";
        }
    }
    EXPECT_TRUE(bilder.fehler().isEmpty()) << qPrintable(bilder.fehler().join(QLatin1Char('\n')));
    EXPECT_EQ(bilder.bilder().size(), 2);
}

TEST_F(FensterbilderTest, AWindowThatNeverOpensAndAMissingMenuAreNotedNotTaken) {
    handbuch::Fensterbilder bilder(ordner.path());
    EXPECT_FALSE(bilder.modal(QStringLiteral("nichts"), [] {}));
    QMainWindow haupt;
    haupt.setWindowTitle(QStringLiteral("Plan"));
    QMenu* datei = haupt.menuBar()->addMenu(QStringLiteral("&Datei"));
    for (int i = 0; i < 8; ++i) datei->addAction(QStringLiteral("Eintrag %1").arg(i));
    haupt.setCentralWidget(new QLabel(QStringLiteral("Plan")));
    haupt.resize(500, 400);
    haupt.show();
    EXPECT_FALSE(bilder.mitMenue(haupt, QStringLiteral("Extras"), QStringLiteral("extras")));
    EXPECT_EQ(bilder.fehler(),
              QStringList({QStringLiteral("nichts: kein Fenster erschienen"), QStringLiteral("extras: kein Menü 'Extras'")}));

    ASSERT_TRUE(bilder.mitMenue(haupt, QStringLiteral("Datei"), QStringLiteral("datei")));
    const QImage mit(ordner.file(QStringLiteral("datei.png")));
    ASSERT_TRUE(bilder.speichern(haupt.grab().toImage(), QStringLiteral("ohne")));
    const QImage ohne(ordner.file(QStringLiteral("ohne.png")));
    ASSERT_FALSE(mit.isNull());
    // Below the title bar, where the open menu hangs from the menu bar, the pictures differ.
    const int titel = mit.height() - ohne.height();
    ASSERT_GT(titel, 0);
    const QPoint unterDemMenue = haupt.menuBar()->geometry().bottomLeft() + QPoint(20, 40);
    EXPECT_NE(mit.pixel(unterDemMenue + QPoint(0, titel)), ohne.pixel(unterDemMenue)) << "the menu is drawn open";
    EXPECT_FALSE(datei->isVisible()) << "the menu is closed again";
}

}  // namespace
