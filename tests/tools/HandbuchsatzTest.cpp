#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include "Handbuchsatz.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

class HandbuchsatzTest : public ::testing::Test {
protected:
    void bild(const QString& name, int breite, int hoehe) {
        QImage b(breite, hoehe, QImage::Format_RGB32);
        b.fill(QColor(0x20, 0x60, 0xa0));
        ASSERT_TRUE(b.save(ordner.file(name)));
    }
    void text(const QString& name, const QString& inhalt) {
        QFile f(ordner.file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt.toUtf8());
    }
    // The sizes the pictures got in the document, in text order.
    static QList<QSizeF> bildgroessen(QTextDocument& doc) {
        QList<QSizeF> g;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                if (it.fragment().charFormat().isImageFormat()) {
                    const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                    g << QSizeF(f.width(), f.height());
                }
        return g;
    }

    test::TempFolder ordner;
};

TEST_F(HandbuchsatzTest, APictureKeepsItsSizeUpToTheTextWidthAndShrinksInProportionBeyond) {
    struct Fall {
        const char* name;
        QSizeF eigen, erwartet;
    };
    const Fall faelle[] = {
        {"narrower than the text", {400, 300}, {400, 300}}, {"exactly the text width", {640, 100}, {640, 100}},
        {"twice the text width", {1280, 760}, {640, 380}},  {"a tall narrow strip stays", {50, 2000}, {50, 2000}},
        {"an empty picture has no size", {0, 0}, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(handbuch::bildgroesse(f.eigen, 640), f.erwartet);
    }
}

TEST_F(HandbuchsatzTest, EveryChapterButTheFirstStartsAPageAndPicturesAreFittedOrReportedMissing) {
    bild(QStringLiteral("breit.png"), 1600, 800);
    bild(QStringLiteral("klein.png"), 200, 100);
    QTextDocument doc;
    const auto bericht = handbuch::setzen(doc,
                                          QStringLiteral("# Titel\n\nVorwort\n\n# Erstes Kapitel\n\n![](breit.png)\n\n## Abschnitt\n\n"
                                                         "Text\n\n# Zweites Kapitel\n\n![](klein.png)\n\n![](fehlt.png)\n"),
                                          ordner.path(), 640);
    EXPECT_EQ(bericht.kapitel, 3);
    EXPECT_EQ(bericht.bilder, 2);
    EXPECT_EQ(bericht.fehlendeBilder, QStringList{QStringLiteral("fehlt.png")});

    QStringList umbruchVor;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) umbruchVor << b.text();
    EXPECT_EQ(umbruchVor, QStringList({QStringLiteral("Erstes Kapitel"), QStringLiteral("Zweites Kapitel")}))
        << "the title page and the sections of a chapter run on";

    const QList<QSizeF> groessen = bildgroessen(doc);
    ASSERT_EQ(groessen.size(), 3);
    EXPECT_EQ(groessen[0], QSizeF(640, 320));
    EXPECT_EQ(groessen[1], QSizeF(200, 100));
}

TEST_F(HandbuchsatzTest, ThePdfHasAPagePerChapterAndAMissingPictureStopsIt) {
    bild(QStringLiteral("plan.png"), 1280, 480);
    text(QStringLiteral("gut.md"), QStringLiteral("# Tavomera\n\nHandbuch\n\n# Der Plan\n\n![](plan.png)\n\n# Die Listen\n\nText\n"));
    text(QStringLiteral("schlecht.md"), QStringLiteral("# Tavomera\n\n![](weg.png)\n"));
    {
        SCOPED_TRACE("all pictures there");
        QString fehler;
        handbuch::Satzbericht bericht;
        ASSERT_TRUE(
            handbuch::pdfSchreiben(ordner.file(QStringLiteral("gut.md")), ordner.file(QStringLiteral("aus/gut.pdf")), &fehler, &bericht))
            << qPrintable(fehler);
        QFile pdf(ordner.file(QStringLiteral("aus/gut.pdf")));
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        const QByteArray inhalt = pdf.readAll();
        EXPECT_TRUE(inhalt.startsWith("%PDF-"));
        EXPECT_EQ(inhalt.count("/Type /Page\n") + inhalt.count("/Type /Page\r") + inhalt.count("/Type /Page "), 3)
            << "one page per chapter";
        EXPECT_GE(inhalt.count("/Subtype /Image"), 1) << "the picture is embedded";
        EXPECT_EQ(bericht.bilder, 1);
        EXPECT_FALSE(QFile::exists(ordner.file(QStringLiteral("aus/gut.pdf.neu"))));
    }
    {
        SCOPED_TRACE("a picture missing: no PDF, the picture is named");
        QString fehler;
        EXPECT_FALSE(
            handbuch::pdfSchreiben(ordner.file(QStringLiteral("schlecht.md")), ordner.file(QStringLiteral("schlecht.pdf")), &fehler));
        EXPECT_EQ(fehler, QStringLiteral("Im Handbuch fehlen die Bilder: weg.png"));
        EXPECT_FALSE(QFile::exists(ordner.file(QStringLiteral("schlecht.pdf"))));
    }
    {
        SCOPED_TRACE("no text");
        QString fehler;
        EXPECT_FALSE(handbuch::pdfSchreiben(ordner.file(QStringLiteral("nichts.md")), ordner.file(QStringLiteral("n.pdf")), &fehler));
        EXPECT_TRUE(fehler.startsWith(QStringLiteral("Der Text '"))) << qPrintable(fehler);
    }
}

// The manual of the repository: every picture it names is there (scripts/manual makes them).
TEST_F(HandbuchsatzTest, TheRepositorysManualHasEveryPicture) {
    QFile f(QStringLiteral(TAVOMERA_SOURCE_DIR "/manual/Handbuch.md"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTextDocument doc;
    const auto bericht = handbuch::setzen(doc, QString::fromUtf8(f.readAll()), QStringLiteral(TAVOMERA_SOURCE_DIR "/manual"), 640);
    EXPECT_GE(bericht.kapitel, 10);
    EXPECT_TRUE(bericht.fehlendeBilder.isEmpty()) << qPrintable(bericht.fehlendeBilder.join(QStringLiteral(", ")));
    EXPECT_GE(bericht.bilder, 15);
}

}  // namespace
