// Wernic: the database update of the family. Brings the working and the sample database of the
// installation up to date with the same steps as the start of the program, and reports in a
// small window. "KeinWord" (after a restore) leaves the document folders alone.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/SettingsStore.h"
#include "platform/ui/QtDialogs.h"
#include "store/Datenbankdateien.h"
#include "store/Datenbankfehler.h"
#include "store/SchemaErweiterung.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::QtDialogs dialogs;
    dialogs.setDefaultCaption(QStringLiteral("Datenbank Update"));
    const bool keinWord = app.arguments().contains(QStringLiteral("KeinWord"), Qt::CaseInsensitive);
    const QString ordner = QCoreApplication::applicationDirPath();
    tav::SettingsStore settings;
    const tav::RegistryNamen werte = tav::RegistryNamen::forInstance(0);
    const bool ok = tav::datenbankGeschuetzt(dialogs, QStringLiteral("Das Datenbankupdate konnte nicht durchgeführt werden."), [&] {
        const QString linkPfad = QDir(ordner).filePath(tav::dbfiles::FileNames::forInstance(0).link);
        std::unique_ptr<tav::Database> link;
        if (QFileInfo::exists(linkPfad)) link = tav::Database::open(linkPfad);
        tav::SchemaErweiterung schema(dialogs, settings, werte, link.get());
        schema.alleSchritte(false);
        if (!settings.getSetting(werte.beispielPfad).isEmpty()) schema.alleSchritte(true);
        if (!keinWord) tav::SchemaErweiterung::systemOrdnerAnlegen(dialogs, ordner);
    });
    if (ok) dialogs.message(QStringLiteral("Das Datenbankupdate wurde erfolgreich durchgeführt."));
    return ok ? 0 : 1;
}
