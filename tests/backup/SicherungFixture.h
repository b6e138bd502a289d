#pragma once

#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "backup/Datensicherung.h"
#include "backup/DatensicherungLogik.h"
#include "engine/Database.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "support/DatabaseFixture.h"

namespace tav::test {

// An installation whose working, central and sample database each carry a mark in table Stand,
// so that a restore shows where every file came from; the backup root is set in the settings.
class SicherungFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        wurzel_ = file(QStringLiteral("Sicherungen")) + QLatin1Char('/');
        settings_.saveSetting(werte_.excel, wurzel_);
        settings_.saveSetting(werte_.pfad, file(QStringLiteral("Tavomera.mdb")));
        settings_.saveSetting(werte_.zentral, file(QStringLiteral("Zentral.mdb")));
        for (const QString& f : {QStringLiteral("Tavomera.mdb"), QStringLiteral("Zentral.mdb"), QStringLiteral("Beispiel.mdb")}) {
            auto d = open(f);
            d->executeNative(QStringLiteral("CREATE TABLE Stand (Wert TEXT)"));
            d->executeNative(QStringLiteral("INSERT INTO Stand VALUES ('alt')"));
        }
    }
    void TearDown() override {
        settings_.deleteSection();
        DatabaseFixture::TearDown();
    }

    SicherungsDateien dateien() const {
        SicherungsDateien d;
        d.arbeit = file(QStringLiteral("Tavomera.mdb"));
        d.zentral = file(QStringLiteral("Zentral.mdb"));
        d.beispiel = file(QStringLiteral("Beispiel.mdb"));
        d.programmordner = folder();
        d.wurzel = wurzel_;
        return d;
    }
    // A relative name is a file of the installation.
    QString pfad(const QString& f) const { return QDir::isAbsolutePath(f) ? f : file(f); }
    QString stand(const QString& f) const { return Database::open(pfad(f))->scalar(QStringLiteral("SELECT Wert FROM Stand")).toString(); }
    void setzeStand(const QString& f, const QString& wert) const {
        Database::open(pfad(f))->executeNative(QStringLiteral("UPDATE Stand SET Wert = ?"), {wert});
    }
    // A folder below the root with the named files holding inhalt.
    void ordner(const QString& name, const QStringList& dateien, const QByteArray& inhalt = "x") const {
        QDir().mkpath(wurzel_ + name);
        for (const QString& f : dateien) schreibe(wurzel_ + name + QLatin1Char('/') + f, inhalt);
    }
    void schreibe(const QString& f, const QByteArray& inhalt) const {
        QFile d(pfad(f));
        ASSERT_TRUE(d.open(QIODevice::WriteOnly | QIODevice::Truncate));
        d.write(inhalt);
    }
    QByteArray lies(const QString& f) const {
        QFile d(pfad(f));
        return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray();
    }
    std::unique_ptr<DatensicherungLogik> logik(Database* parameter = nullptr) {
        auto l = std::make_unique<DatensicherungLogik>(parameter, dialogs_, settings_, shell_, werte_, dateien());
        l->laden();
        return l;
    }

    QString wurzel_;
    SettingsStore settings_;
    RegistryNamen werte_ = RegistryNamen::forInstance(0);
    ScriptedDialogs dialogs_;
    ScriptedShell shell_;
};

// The admin tool as a timer or an administrator starts it, with a settings folder of its own.
// Kills it (kill -9) after ms unless ms < 0; returns its exit code, or -1 when it was killed.
inline int werkzeug(const QString& config, const QStringList& args, int ms = -1, QString* out = nullptr, QString* err = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    EXPECT_TRUE(p.waitForStarted());
    if (!p.waitForFinished(ms < 0 ? 120000 : ms)) {
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished();
        EXPECT_GE(ms, 0) << "the admin tool did not finish";
        return -1;
    }
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
    if (err) *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

}  // namespace tav::test
