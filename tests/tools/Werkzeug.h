#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

namespace tav::test {

// One run of the administrator's tool.
struct Lauf {
    int code = -1;
    QString out, err;
};

inline Lauf werkzeug(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// A call of the tool and its answer. Exit code 0: exactly `out` on stdout (when out is given).
// Any other code: nothing on stdout, and on stderr a message that contains `meldung` and shows
// no SQL.
struct Aufruf {
    const char* fall;
    QStringList args;
    int code;
    QString out = {};
    QString meldung = {};
};

inline void pruefe(const Aufruf& a) {
    SCOPED_TRACE(a.fall);
    const Lauf l = werkzeug(a.args);
    EXPECT_EQ(l.code, a.code) << l.err.toStdString();
    if (a.code == 0) {
        if (!a.out.isNull()) {
            EXPECT_EQ(l.out, a.out);
        }
        return;
    }
    EXPECT_TRUE(l.out.isEmpty()) << l.out.toStdString();
    EXPECT_FALSE(l.err.isEmpty());
    EXPECT_TRUE(l.err.contains(a.meldung)) << l.err.toStdString();
    EXPECT_FALSE(l.err.contains(QStringLiteral("SELECT"))) << "never SQL: " << l.err.toStdString();
}

}  // namespace tav::test
