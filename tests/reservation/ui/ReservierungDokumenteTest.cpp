#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "invoice/RechnungspostenLogik.h"
#include "invoice/Vorlagen.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/FormularTestSupport.h"
#include "reservation/ui/frmReservierung.h"
#include "store/Adressprogramm.h"
#include "store/clsPfade.h"
#include "support/Child.h"
#include "support/ScriptedFenster.h"

using namespace tav;
using namespace Qt::StringLiterals;
using test::child;

// The reservation form's menu "Weitere Dokumente" and its address-program command: the window
// shows the stored entries and forwards to the logic (whose rules WeitereDokumenteTest and
// AdressprogrammTest check).
class ReservierungDokumenteTest : public test::FormularFixture {
protected:
    void SetUp() override {
        FormularFixture::SetUp();
        SettingsStore().deleteSection();
        Adressprogramm::gewaehlteAdresseMelden(0);
    }
    void TearDown() override {
        Adressprogramm::gewaehlteAdresseMelden(0);
        FormularFixture::TearDown();
    }
    std::unique_ptr<frmReservierung> fenster() {
        auto f = std::make_unique<frmReservierung>(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_,
                                                   &kollisionsDialog_, nullptr, &shell_);
        f->neueBuchungFuerAdresse(1, tag(4), tag(6));
        return f;
    }
    ScriptedShell shell_;
};

TEST_F(ReservierungDokumenteTest, TheMenuShowsTheStoredNamesAndOpensAnEntryAfterExportingTheGuest) {
    const QString dokument = folder() + u"/Briefe/Anfahrt.odt"_s;
    SettingsStore speicher;
    clsPfade(db(), speicher).Pfadsetzen(2, {u"Anfahrt & Parken"_s, dokument, true});
    shell_.addDocument(dokument);
    ASSERT_TRUE(QDir().mkpath(folder() + u"/Briefe"_s));

    auto w = fenster();
    auto* eins = child<QAction>(*w, "mnuDok_1");
    auto* zwei = child<QAction>(*w, "mnuDok_2");
    // An entry without a file cannot be chosen; an ampersand of a name is shown, not taken as a shortcut.
    EXPECT_EQ(QStringList({eins->text(), zwei->text()}), QStringList({"Dokument 1", "Anfahrt && Parken"}));
    EXPECT_EQ(QList<bool>({child<QMenu>(*w, "mnuWeitereDokumente")->isEnabled(), eins->isEnabled(), zwei->isEnabled(),
                           child<QAction>(*w, "mnuPfade")->isEnabled()}),
              QList<bool>({true, false, true, true}));

    // Choosing it writes the guest's address file beside the document, then opens the document.
    dialogs_.answer(Answer::Ok);
    zwei->trigger();
    const QString adressdatei = folder() + u"/Briefe/adresse.doc"_s;
    EXPECT_EQ(dialogs_.texts(),
              QStringList{u"Adressdaten wurden exportiert nach "_s + QDir::toNativeSeparators(adressdatei) + QLatin1Char('.')});
    QFile datei(adressdatei);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(datei.readAll()).contains(u"Meier;Klaus;"_s));
    EXPECT_EQ(shell_.opened(), QStringList{dokument});

    // Setting up entry 1 renames and enables it at once.
    dialogs_.clear();
    dialogs_.answerText(u"1"_s);
    dialogs_.answerText(u"Prospekt"_s);
    dialogs_.answer(Answer::Ok);
    dialogs_.answerFile(folder() + u"/Briefe/prospekt.pdf"_s);
    dialogs_.answer(Answer::No);
    child<QAction>(*w, "mnuPfade")->trigger();
    EXPECT_EQ(std::tuple(eins->text(), eins->isEnabled()), std::tuple(u"Prospekt"_s, true));
}

TEST_F(ReservierungDokumenteTest, TheAddressProgramCommandStartsItAndTheTimerOffersItsChoice) {
    {
        auto ohne = fenster();
        EXPECT_FALSE(child<QPushButton>(*ohne, "cmdADressverw")->isEnabled()) << "no address program: no command";
    }
    shell_.addProgram(folder() + u"/Qubero.exe"_s);
    auto w = fenster();
    w->show();
    QApplication::setActiveWindow(w.get());
    auto* knopf = child<QPushButton>(*w, "cmdADressverw");
    auto* timer = child<QTimer>(*w, "timeAdresse");
    ASSERT_TRUE(knopf->isEnabled());
    EXPECT_FALSE(timer->isActive());
    knopf->click();
    EXPECT_EQ(std::tuple(shell_.started().size(), timer->isActive()), std::tuple(1, true));

    // Huber (2) chosen in the address program while the guest box had the focus.
    child<QComboBox>(*w, "cboGastNeu")->setFocus();
    dialogs_.answer(Answer::Yes);
    Adressprogramm::gewaehlteAdresseMelden(2);
    QTRY_COMPARE_WITH_TIMEOUT(dialogs_.shown().size(), 1, 3000);
    EXPECT_EQ(dialogs_.last().text, u"Adresse übernehmen?"_s);
    EXPECT_EQ(w->logik().adresse().gastId(), 2);
    EXPECT_TRUE(child<QComboBox>(*w, "cboGastNeu")->currentText().startsWith(u"Huber"_s));

    // Meier (1) while the invoice-address box had the focus: it becomes the invoice address.
    dialogs_.clear();
    child<QComboBox>(*w, "cboAdrRechnung")->setFocus();
    dialogs_.answer(Answer::Yes);
    Adressprogramm::gewaehlteAdresseMelden(1);
    QTRY_COMPARE_WITH_TIMEOUT(dialogs_.shown().size(), 1, 3000);
    EXPECT_EQ(std::tuple(w->logik().adresse().rechnungsadresseId(), w->logik().adresse().gastId()), std::tuple(1, 2)) << "the guest stays";
}

TEST_F(ReservierungDokumenteTest, AConfirmationAsksForTheExtrasAndItsStoredCopyOpensAgain) {
    ASSERT_TRUE(test::vorlagenInstallieren(folder()));
    test::ScriptedFenster dienst;
    dienst.setVorhanden(Ziel::Rechnungsposten);
    // The extras dialog: 12,00 for drinks, then OK.
    dienst.beimOeffnen(Ziel::Rechnungsposten, [this](const Aufruf& a) {
        RechnungspostenLogik& p = rechnungsposten();
        p.oeffnen(db(), a.buchungId, a.text, 2);
        p.werte().betraege[2] = u"12"_s;
        p.ok();
    });
    EXPECT_FALSE(child<QAction>(*fenster(), "mnuVorhBest")->isEnabled()) << "a new booking has no stored documents";
    auto w = std::make_unique<frmReservierung>(db(), beispiel_.get(), einstellungen(), umgebung(), nullptr, &dialogs_, &kollisionsDialog_,
                                               &dienst, &shell_);
    Uebergabe u;
    u.buchungId = buchung(1, tag(4), tag(6), u"Meier4"_s);
    ASSERT_TRUE(w->starten(u));
    const QString pdf = folder() + u"/Bestätigungen/Meier4.pdf"_s;
    shell_.addDocument(pdf);
    auto* knopf = child<QPushButton>(*w, "cmdBestVorschau");
    ASSERT_TRUE(knopf->isEnabled());
    knopf->click();

    ASSERT_EQ(dienst.geoeffnet().size(), 1) << qPrintable(dialogs_.texts().join(QLatin1Char('|')));
    EXPECT_EQ(dienst.geoeffnet()[0].aufruf.text, u"Weitere Posten für die Reservierung"_s);
    EXPECT_EQ(std::tuple(QFileInfo::exists(folder() + u"/Bestätigungen/Meier4.doc"_s), shell_.opened()),
              std::tuple(true, QStringList{pdf}));
    QFile best(folder() + u"/Best.doc"_s);
    ASSERT_TRUE(best.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(best.readAll()).contains(u";12,00;Getränke;"_s));

    // The stored copy opens from the menu; there is no offer of this booking.
    auto* gespeichert = child<QAction>(*w, "mnuVorhBest");
    ASSERT_TRUE(gespeichert->isEnabled());
    gespeichert->trigger();
    EXPECT_EQ(shell_.opened(), (QStringList{pdf, pdf}));
    child<QAction>(*w, "mnuvorhAngebot")->trigger();
    EXPECT_EQ(dialogs_.last().text, u"Auf diesem Computer ist kein Angebot mit dieser Kurzinfo gespeichert."_s);

    // Cancelled extras make no document.
    dienst.beimOeffnen(Ziel::Rechnungsposten, [](const Aufruf&) { rechnungsposten().abbrechen(); });
    QFile::remove(pdf);
    knopf->click();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}
