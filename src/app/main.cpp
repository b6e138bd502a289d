// Tavomera: the program. Starts in the start-up procedure, not in a window.
//
//   Tavomera                      the program
//   Tavomera --screenshot FILE    starts it, writes the window in front into FILE (PNG) once
//                                 the start-up is idle, prints the path and ends
//   Tavomera --einrichten         writes the settings "Pfad", "Zentral" and "Excel" of the
//                                 instance when they are missing (the install step)

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/Bildschirmfoto.h"
#include "app/Fensterverbindungen.h"
#include "data/Variablen.h"
#include "plan/frmMain.h"
#include "platform/Files.h"
#include "platform/QtDialogs.h"
#include "platform/SettingsStore.h"
#include "startup/Programmsteuerung.h"
#include "startup/mdAccessVerknuepfung.h"

namespace {

QString optionWert(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], name) == 0) return QString::fromLocal8Bit(argv[i + 1]);
    return {};
}

bool hatOption(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], name) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // The program file name as typed decides the instance: a link "2Tavomera" is instance 2.
    const QString dateiname = QString::fromLocal8Bit(argv[0]);

    if (hatOption(argc, argv, "--einrichten")) {
        QCoreApplication app(argc, argv);
        tav::SettingsStore settings;
        const int instanz = tav::mdAccessVerknüpfung::instanzAus(dateiname);
        const QStringList namen = tav::mdAccessVerknüpfung::standardwerteEintragen(settings, tav::files::programFolder(), instanz);
        QTextStream out(stdout);
        if (namen.isEmpty()) out << "Die Einstellungen sind schon vorhanden.\n";
        for (const QString& n : namen) out << "Eingetragen: " << n << " = " << settings.getSetting(n) << '\n';
        return 0;
    }

    const QString bild = optionWert(argc, argv, "--screenshot");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("Tavomera"));

    tav::QtDialogs dialogs;
    tav::SettingsStore settings;
    tav::Programmsteuerung steuerung(tav::variablen(), dialogs, settings, tav::files::programFolder(), dateiname);
    steuerung.hauptfensterEinrichten = [&dialogs](tav::frmMain& f) { tav::fensterVerbinden(f, dialogs); };
    QObject::connect(&steuerung, &tav::Programmsteuerung::programmEnde, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    if (!bild.isEmpty()) {
        auto* foto = new tav::Bildschirmfoto(
            bild, [&steuerung] { return steuerung.beschaeftigt(); }, [&steuerung] { return steuerung.vorderstesFenster(); }, 60000,
            &app);
        QObject::connect(foto, &tav::Bildschirmfoto::fertig, [](bool ok, const QString& meldung, const QString& titel) {
            if (ok) {
                std::fprintf(stdout, "%s\n", meldung.toLocal8Bit().constData());
                std::fprintf(stderr, "Fenster: %s\n", titel.toLocal8Bit().constData());
            } else {
                std::fprintf(stderr, "Bildschirmfoto: %s\n", meldung.toLocal8Bit().constData());
            }
            std::fflush(stdout);
            std::fflush(stderr);
            // Ends at once, whatever box is open: nothing more may be answered in its place.
            std::_Exit(ok ? 0 : 1);
        });
        foto->starten();
    }

    QTimer::singleShot(0, &steuerung, &tav::Programmsteuerung::starten);
    return app.exec();
}
