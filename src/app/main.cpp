// Tavomera: the program. Starts in the start-up procedure, not in a window.
//
//   Tavomera                      the program
//   Tavomera --screenshot FILE    starts it, writes the window in front into FILE (PNG) once
//                                 the start-up is idle, prints the path and ends
//   Tavomera --einrichten         writes the settings "Pfad", "Zentral" and "Excel" of the
//                                 instance when they are missing (the install step)
//   Tavomera --blaettern N        for developers (bench/memory): once the start-up is idle,
//                                 presses the plan's "+1 Woche" N times, each press reloading the
//                                 window from the database, prints the window's first and last
//                                 day and ends without the closing question
//     --stichtag JJJJ-MM-TT       with --blaettern: the program's today is that day (the
//                                 reference day of a generated set), the clock stands still

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Bildschirmfoto.h"
#include "app/ProgrammFenster.h"
#include "store/Variablen.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/ui/QtDialogs.h"
#include "platform/SettingsStore.h"
#include "startup/ui/Programmsteuerung.h"
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

// "--blaettern N": waits until the start-up is idle with the main window in front, then presses
// "+1 Woche" N times and ends at once, so that a memory measurement sees the start and the
// navigation and nothing else. A question box in the way ends it with an error.
void blaetternNachDemStart(tav::Programmsteuerung& steuerung, int anzahl, QObject* eltern) {
    auto* timer = new QTimer(eltern);
    timer->setInterval(100);
    QObject::connect(timer, &QTimer::timeout, [&steuerung, anzahl, timer, gewartet = 0, ruhig = 0]() mutable {
        auto ende = [](int code, const QString& text) {
            std::fprintf(code == 0 ? stdout : stderr, "%s\n", text.toLocal8Bit().constData());
            std::fflush(stdout);
            std::fflush(stderr);
            std::_Exit(code);
        };
        if ((gewartet += timer->interval()) > 60000) ende(1, QStringLiteral("Nach 60 Sekunden war das Hauptfenster nicht bereit."));
        if (QWidget* box = QApplication::activeModalWidget())
            ende(1, QStringLiteral("Ein Fenster wartet auf eine Antwort: ") + box->windowTitle());
        tav::frmMain* f = steuerung.beschaeftigt() ? nullptr : steuerung.hauptfenster();
        if (!f || !f->isVisible() || !f->plan()) {
            ruhig = 0;
            return;
        }
        // Two looks in a row with the main window shown: it has been laid out and painted.
        if (++ruhig < 2) return;
        timer->stop();
        auto* weiter = f->plan()->findChild<QAbstractButton*>(QStringLiteral("cmdNextWeek"));
        if (!weiter) ende(1, QStringLiteral("Der Knopf \"+1 Woche\" fehlt."));
        const QDate anfang = f->plan()->model().start();
        for (int i = 0; i < anzahl; ++i) {
            weiter->click();
            QCoreApplication::processEvents();
        }
        ende(0, QStringLiteral("%1-mal \"+1 Woche\": das erste Fenster begann am %2, das letzte am %3")
                    .arg(anzahl)
                    .arg(anfang.toString(QStringLiteral("dd.MM.yyyy")), f->plan()->model().start().toString(QStringLiteral("dd.MM.yyyy"))));
    });
    timer->start();
}

}  // namespace

int main(int argc, char** argv) {
    // The program file name as typed decides the instance: a link "2Tavomera" is instance 2.
    const QString dateiname = QString::fromLocal8Bit(argv[0]);

    if (hatOption(argc, argv, "--einrichten")) {
        QCoreApplication app(argc, argv);
        tav::SettingsStore settings;
        const int instanz = tav::mdAccessVerknuepfung::instanzAus(dateiname);
        const QStringList namen = tav::mdAccessVerknuepfung::standardwerteEintragen(settings, tav::files::programFolder(), instanz);
        QTextStream out(stdout);
        if (namen.isEmpty()) out << "Die Einstellungen sind schon vorhanden.\n";
        for (const QString& n : namen) out << "Eingetragen: " << n << " = " << settings.getSetting(n) << '\n';
        return 0;
    }

    const QString bild = optionWert(argc, argv, "--screenshot");
    const QString blaettern = optionWert(argc, argv, "--blaettern");
    bool blaetternOk = true;
    const int wochen = blaettern.isEmpty() ? 0 : blaettern.toInt(&blaetternOk);
    if (!blaetternOk || wochen < 0) {
        std::fprintf(stderr, "--blaettern erwartet eine Anzahl von Wochen.\n");
        return 2;
    }
    const QString stichtagText = blaettern.isEmpty() ? QString() : optionWert(argc, argv, "--stichtag");
    const QDate stichtag = QDate::fromString(stichtagText, QStringLiteral("yyyy-MM-dd"));
    if (!stichtagText.isEmpty() && !stichtag.isValid()) {
        std::fprintf(stderr, "--stichtag erwartet ein Datum JJJJ-MM-TT.\n");
        return 2;
    }
    if (stichtag.isValid()) tav::Clock::install(std::make_shared<tav::FixedClock>(stichtag));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("Tavomera"));

    tav::QtDialogs dialogs;
    tav::SettingsStore settings;
    tav::ProgrammFenster fenster(tav::variablen(), dialogs);
    tav::Programmsteuerung steuerung(tav::variablen(), dialogs, settings, fenster, tav::files::programFolder(), dateiname);
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

    if (!blaettern.isEmpty()) blaetternNachDemStart(steuerung, wochen, &app);

    QTimer::singleShot(0, &steuerung, &tav::Programmsteuerung::starten);
    return app.exec();
}
