// Tosmek: the block program. "Tosmek <booking ID> [<link database>]" shows the block of the
// booking (or a new block led by it) in a window titled "Blockbuchung". Without an ID it takes
// the booking of the hand-over row "BlockBuchung"; without a database it opens the link
// database "Lokal.mdb" of its own folder. While the window is open it announces its title, so
// that the reservation form finds it, brings it forward and notices when it closes.
// "--screenshot FILE" saves the window as a PNG and ends.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <cstdio>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/WindowAnnouncement.h"
#include "platform/ui/QtDialogs.h"
#include "reservation/ui/Blockfenster.h"
#include "store/Datenbankfehler.h"
#include "store/mdBlockbuchung.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tosmek"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Blockbuchungen"));
    parser.addHelpOption();
    const QCommandLineOption foto(QStringLiteral("screenshot"), QStringLiteral("Speichert das Fenster als PNG und endet."),
                                  QStringLiteral("datei"));
    parser.addOption(foto);
    parser.addPositionalArgument(QStringLiteral("id"), QStringLiteral("Die Reservierung, deren Blockbuchung gezeigt wird."));
    parser.addPositionalArgument(QStringLiteral("datenbank"), QStringLiteral("Die Verknüpfungsdatenbank (Vorgabe: Lokal.mdb)."));
    parser.process(app);
    const QStringList args = parser.positionalArguments();

    tav::QtDialogs dialogs;
    dialogs.setDefaultCaption(QStringLiteral("Blockbuchung"));
    const QString pfad = args.size() > 1 ? args[1] : tav::files::join(QCoreApplication::applicationDirPath(), QStringLiteral("Lokal.mdb"));
    std::unique_ptr<tav::Database> db;
    if (!tav::datenbankGeschuetzt(dialogs, QStringLiteral("Die Blockbuchung konnte nicht geöffnet werden."),
                                  [&] { db = tav::Database::open(pfad); }))
        return 1;

    int id = args.isEmpty() ? 0 : args[0].toInt();
    if (id <= 0)
        tav::datenbankGeschuetzt(dialogs, QStringLiteral("Die Übergabe konnte nicht gelesen werden."),
                                 [&] { id = tav::mdBlockbuchung::uebergabeLesen(*db); });
    if (id <= 0) {
        dialogs.message(QStringLiteral("Es wurde keine Reservierung übergeben. Öffnen Sie die Blockbuchung aus einer Reservierung."));
        return 1;
    }

    tav::WindowAnnouncement ansage(tav::mdBlockbuchung::kFenster);
    if (!ansage.active()) {
        // Another block window is open: it shows the booking of the hand-over row.
        QFile anfrage(tav::Shell::windowRaisePath(tav::mdBlockbuchung::kFenster));
        anfrage.open(QIODevice::WriteOnly | QIODevice::Truncate);
        return 0;
    }
    tav::Blockfenster fenster(*db, dialogs);
    if (!fenster.laden(id)) return 1;
    QObject::connect(&ansage, &tav::WindowAnnouncement::raiseRequested, &fenster, [&] {
        fenster.showNormal();
        fenster.raise();
        fenster.activateWindow();
        tav::datenbankGeschuetzt(dialogs, QStringLiteral("Die Übergabe konnte nicht gelesen werden."),
                                 [&] { fenster.uebergabeAnzeigen(tav::mdBlockbuchung::uebergabeLesen(*db)); });
    });
    fenster.show();
    if (parser.isSet(foto)) {
        QTimer::singleShot(800, &fenster, [&] {
            const bool ok = fenster.grab().save(parser.value(foto));
            std::printf("%s\n", qPrintable(parser.value(foto)));
            QApplication::exit(ok ? 0 : 1);
        });
    }
    // The title is given up as soon as the window closes, before the program has ended.
    QObject::connect(&app, &QApplication::lastWindowClosed, &ansage, &tav::WindowAnnouncement::release);
    return QApplication::exec();
}
