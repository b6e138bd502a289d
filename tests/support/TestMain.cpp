// main() of every test program: a QApplication (offscreen in ctest) and GoogleTest.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "platform/ScriptedDialogs.h"

int main(int argc, char** argv) {
    // Every test program gets its own settings file and runtime folder, so that no test ever
    // reads or writes the user's real settings.
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", config.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A test that leaves a box unanswered or a scripted answer unused fails.
    tav::ScriptedDialogs::setLeftOpenHandler([](const QStringList& leftOpen) {
        ADD_FAILURE() << "Scripted dialogs left open:\n  " << leftOpen.join(QStringLiteral("\n  ")).toStdString();
    });
    return RUN_ALL_TESTS();
}
