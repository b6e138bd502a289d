#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>
#include <QUrl>
#include <utility>

#include "platform/Shell.h"
#include "platform/WindowAnnouncement.h"
#include "support/TempFolder.h"

using namespace tav;

TEST(ShellTest, ProgramPathsDropTheWindowsExtension) {
#ifndef Q_OS_WIN
    struct Fall {
        QString pfad, erwartet;
    };
    for (const Fall& f : {Fall{QStringLiteral("/opt/t/Yorvak.exe"), QStringLiteral("/opt/t/Yorvak")},
                          Fall{QStringLiteral("/opt/t/WERNIC.EXE"), QStringLiteral("/opt/t/WERNIC")},
                          Fall{QStringLiteral("C:\\Tavomera\\Fendrix.exe"), QStringLiteral("C:/Tavomera/Fendrix")},
                          Fall{QStringLiteral("/opt/t/Fendrix"), QStringLiteral("/opt/t/Fendrix")},
                          Fall{QStringLiteral("/opt/t/exe"), QStringLiteral("/opt/t/exe")}})
        EXPECT_EQ(Shell::programPath(f.pfad), f.erwartet);
#endif
}

TEST(ShellTest, StartsAnExistingProgramWithItsArgumentsAndRefusesAMissingOne) {
    test::TempFolder ordner;
    const QString programm = ordner.file(QStringLiteral("Yorvak"));
    const QString ausgabe = ordner.file(QStringLiteral("lief.txt"));
    {
        QFile f(programm);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho \"$1 $2\" > \"$3\"\n");
    }
    QFile::setPermissions(programm, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    SystemShell shell;
    EXPECT_TRUE(shell.programExists(programm + QStringLiteral(".exe")));
    EXPECT_FALSE(shell.programExists(ordner.file(QStringLiteral("Lomvix.exe"))));
    EXPECT_FALSE(shell.startProgram(ordner.file(QStringLiteral("Lomvix.exe"))));
    EXPECT_FALSE(shell.openDocument(ordner.file(QStringLiteral("Morvinel.pdf")))) << "a missing document is not opened";

    ASSERT_TRUE(shell.startProgram(programm + QStringLiteral(".exe"), {QStringLiteral("a"), QStringLiteral("b"), ausgabe}));
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(ausgabe) && t.elapsed() < 5000) QThread::msleep(20);
    QThread::msleep(50);
    QFile f(ausgabe);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().trimmed(), QByteArray("a b"));
}

TEST(ShellTest, ADocumentGoesToTheDesktopsOpenerAndWithoutOneIsNotOpened) {
    // The opener is a stand-in on the PATH under the desktop opener's name that notes what it got.
    test::TempFolder ordner;
    const QString dokument = ordner.file(QStringLiteral("Morvinel.pdf")), notiz = ordner.file(QStringLiteral("geoeffnet.txt"));
    for (const auto& [datei, inhalt] :
         {std::pair{dokument, QStringLiteral("%PDF-")},
          std::pair{ordner.file(QStringLiteral("xdg-open")),
                    QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1.neu' && /bin/mv '%1.neu' '%1'\n").arg(notiz)}}) {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt.toUtf8());
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    const QByteArray pfad = qgetenv("PATH");
    qputenv("PATH", ordner.path().toLocal8Bit() + ':' + pfad);
    SystemShell shell;
    EXPECT_TRUE(shell.openDocument(dokument));
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(notiz) && t.elapsed() < 10000) QThread::msleep(20);
    QFile f(notiz);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << "the opener was not started";
    const QString gegeben = QString::fromUtf8(f.readAll());
    EXPECT_EQ(QUrl(gegeben).isLocalFile() ? QUrl(gegeben).toLocalFile() : gegeben, dokument);

    ASSERT_TRUE(QFile::remove(ordner.file(QStringLiteral("xdg-open"))));
    qputenv("PATH", ordner.path().toLocal8Bit());
    EXPECT_FALSE(shell.openDocument(dokument)) << "no opener on the desktop";
    qputenv("PATH", pfad);
}

TEST(ShellTest, AWindowIsRaisedOnlyWhileARunningProgramAnnouncesIt) {
    const QString titel = QStringLiteral("Fenstertest-%1").arg(QCoreApplication::applicationPid());
    QFile::remove(Shell::windowRaisePath(titel));
    SystemShell shell;
    EXPECT_FALSE(shell.raiseWindow(titel)) << "nobody announces the window";
    EXPECT_FALSE(QFileInfo::exists(Shell::windowRaisePath(titel)));
    {
        QLockFile angemeldet(Shell::windowLockPath(titel));
        ASSERT_TRUE(angemeldet.tryLock(0));
        EXPECT_TRUE(shell.raiseWindow(titel));
        EXPECT_TRUE(QFileInfo::exists(Shell::windowRaisePath(titel))) << "the program is asked to come forward";
        QFile::remove(Shell::windowRaisePath(titel));
    }
    // A lock file left behind by a program that ended announces nothing.
    {
        QFile rest(Shell::windowLockPath(titel));
        ASSERT_TRUE(rest.open(QIODevice::WriteOnly));
        rest.write("999999\nQubero\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_FALSE(shell.raiseWindow(titel));
    EXPECT_FALSE(QFileInfo::exists(Shell::windowRaisePath(titel)));
    QFile::remove(Shell::windowLockPath(titel));

    ScriptedShell scripted;
    scripted.addWindow(QStringLiteral("Adressverwaltung"));
    EXPECT_FALSE(scripted.raiseWindow(QStringLiteral("Statistik")));
    EXPECT_TRUE(scripted.raiseWindow(QStringLiteral("Adressverwaltung")));
    EXPECT_EQ(scripted.raised(), QStringList({QStringLiteral("Adressverwaltung")}));
}

TEST(ShellTest, AnAnnouncedWindowIsSeenRaisedAndGoneWithItsAnnouncement) {
    const QString titel = QStringLiteral("Ansagetest-%1").arg(QCoreApplication::applicationPid());
    SystemShell shell;
    EXPECT_FALSE(shell.windowExists(titel));
    int gerufen = 0;
    {
        WindowAnnouncement ansage(titel);
        ASSERT_TRUE(ansage.active());
        QObject::connect(&ansage, &WindowAnnouncement::raiseRequested, [&gerufen] { ++gerufen; });
        EXPECT_TRUE(shell.windowExists(titel));
        WindowAnnouncement zweite(titel);
        EXPECT_FALSE(zweite.active()) << "one program announces a title at a time";

        EXPECT_TRUE(shell.raiseWindow(titel));
        QElapsedTimer uhr;
        uhr.start();
        while (gerufen == 0 && uhr.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(gerufen, 1) << "the announcing program is asked to come forward";
        EXPECT_FALSE(QFileInfo::exists(Shell::windowRaisePath(titel))) << "the request is taken";

        ansage.release();
        EXPECT_FALSE(shell.windowExists(titel)) << "a closed window is gone while the program may still run";
    }
    EXPECT_FALSE(shell.windowExists(titel));
}
