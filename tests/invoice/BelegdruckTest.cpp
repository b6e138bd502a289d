#include <gtest/gtest.h>

#include <QFile>

#include "invoice/Belegdaten.h"
#include "invoice/Belegdruck.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"
#include "support/TempFolder.h"

using namespace tav;
namespace b = tav::test::beleg;

class BelegdruckTest : public test::DatabaseFixture {
protected:
    ScriptedDialogs dialogs_;
};

TEST_F(BelegdruckTest, AnUnwritableProgramFolderIsNamedInTheMessage) {
    NeuesDokument n;
    n.adressId = b::gast(db(), QStringLiteral("Hella"), QStringLiteral("Brandt"));
    n.eintraege = {DokumentEintrag::buchung(b::buchung(db(), n.adressId, {}))};
    n.datum = QDate(2024, 7, 4);
    const auto nr = clsRechnung(db(), dialogs_).ReZuordnungen(n);
    ASSERT_TRUE(nr);
    const QString fehlt = QStringLiteral("/nicht/vorhanden/programm");
    EXPECT_TRUE(Belegdruck(db(), dialogs_, fehlt).drucken(*nr, Dokumentart::RechnungEditor).isEmpty());
    ASSERT_FALSE(dialogs_.shown().isEmpty());
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("nicht"))) << qPrintable(dialogs_.last().text);
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("Rechn.doc")) || dialogs_.last().text.contains(fehlt))
        << qPrintable(dialogs_.last().text);
}
