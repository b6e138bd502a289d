// Tavomera: the program. Starts in the start-up procedure, not in a window. `Tavomera --help`
// lists the options: --screenshot (the window in front as a PNG), --einrichten (the install
// step's settings), --blaettern and --stichtag (bench/memory steps the plan a fixed number of
// weeks from a fixed reference day).

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Bildschirmfoto.h"
#include "app/DeutscheQtTexte.h"
#include "app/ProgrammFenster.h"
#include "payment/Zahlungen.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "platform/ui/QtDialogs.h"
#include "startup/mdAccessVerknuepfung.h"
#include "startup/ui/Programmsteuerung.h"
#include "store/Variablen.h"

namespace {

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

    QStringList argumente;
    for (int i = 0; i < argc; ++i) argumente << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tavomera: Belegungsplan, Reservierungen und Rechnungen für Hotels und Pensionen."));
    const QCommandLineOption hilfe({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Zeigt diese Hilfe."));
    const QCommandLineOption bildOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Startet das Programm, schreibt das vorderste Fenster als PNG in DATEI, "
                                                       "sobald der Start ruht, gibt den Pfad aus und endet."),
                                        QStringLiteral("DATEI"));
    const QCommandLineOption einrichten(QStringLiteral("einrichten"),
                                        QStringLiteral("Trägt die Einstellungen \"Pfad\", \"Zentral\" und \"Excel\" der Instanz ein, "
                                                       "wo sie fehlen (der Installationsschritt), und endet."));
    const QCommandLineOption blaetternOption(QStringLiteral("blaettern"),
                                             QStringLiteral("Für Entwickler: drückt nach dem Start N-mal \"+1 Woche\", gibt den ersten "
                                                            "und letzten Tag aus und endet ohne Rückfrage."),
                                             QStringLiteral("N"));
    const QCommandLineOption stichtagOption(QStringLiteral("stichtag"),
                                            QStringLiteral("Mit --blaettern: das Heute des Programms (die Uhr steht still)."),
                                            QStringLiteral("JJJJ-MM-TT"));
    parser.addOptions({hilfe, bildOption, einrichten, blaetternOption, stichtagOption});
    // Qt's own options (-platform, -style, …) pass through to the application object; an
    // unknown option of the program's own kind (--name) is refused.
    if (!parser.parse(argumente)) {
        QString falsch;
        for (const QString& name : parser.unknownOptionNames())
            if (argumente.contains(QStringLiteral("--") + name)) falsch = QStringLiteral("--") + name;
        if (parser.unknownOptionNames().isEmpty() || !falsch.isEmpty()) {
            const QString text = falsch.isEmpty() ? parser.errorText() : QStringLiteral("Unbekannte Option: ") + falsch;
            std::fprintf(stderr, "%s\n(Tavomera --help zeigt die Optionen.)\n", text.toLocal8Bit().constData());
            return 2;
        }
    }
    if (parser.isSet(hilfe)) {
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("Tavomera"));
        std::fprintf(stdout, "%s", text.toLocal8Bit().constData());
        return 0;
    }

    if (parser.isSet(einrichten)) {
        QCoreApplication app(argc, argv);
        tav::SettingsStore settings;
        const int instanz = tav::mdAccessVerknuepfung::instanzAus(dateiname);
        const QStringList namen = tav::mdAccessVerknuepfung::standardwerteEintragen(settings, tav::files::programFolder(), instanz);
        QTextStream out(stdout);
        if (namen.isEmpty()) out << "Die Einstellungen sind schon vorhanden.\n";
        for (const QString& n : namen) out << "Eingetragen: " << n << " = " << settings.getSetting(n) << '\n';
        return 0;
    }

    const QString bild = parser.value(bildOption);
    const QString blaettern = parser.value(blaetternOption);
    bool blaetternOk = true;
    const int wochen = blaettern.isEmpty() ? 0 : blaettern.toInt(&blaetternOk);
    if (!blaetternOk || wochen < 0) {
        std::fprintf(stderr, "--blaettern erwartet eine Anzahl von Wochen.\n");
        return 2;
    }
    const QString stichtagText = blaettern.isEmpty() ? QString() : parser.value(stichtagOption);
    const QDate stichtag = QDate::fromString(stichtagText, QStringLiteral("yyyy-MM-dd"));
    if (!stichtagText.isEmpty() && !stichtag.isValid()) {
        std::fprintf(stderr, "--stichtag erwartet ein Datum JJJJ-MM-TT.\n");
        return 2;
    }
    if (stichtag.isValid()) tav::Clock::install(std::make_shared<tav::FixedClock>(stichtag));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("Tavomera"));
    tav::deutscheQtTexteLaden();

    tav::QtDialogs dialogs;
    tav::SettingsStore settings;
    tav::ProgrammFenster fenster(tav::variablen(), dialogs);
    tav::Programmsteuerung steuerung(tav::variablen(), dialogs, settings, fenster, tav::files::programFolder(), dateiname);
    steuerung.rechnungenUndZahlungenPruefen = &tav::Zahlungen::beimStartPruefen;
    QObject::connect(&steuerung, &tav::Programmsteuerung::programmEnde, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    if (!bild.isEmpty()) {
        auto* foto = new tav::Bildschirmfoto(
            bild, [&steuerung] { return steuerung.beschaeftigt(); }, [&steuerung] { return steuerung.vorderstesFenster(); }, 60000, &app);
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
