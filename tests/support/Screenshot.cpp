#include "support/Screenshot.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace tav::test {

QString saveScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TAVOMERA_SCREENSHOT_DIR", QStringLiteral("/tmp/tavomera-screens"));
    QDir().mkpath(folder);
    if (!window.isVisible()) window.show();
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    window.grab().save(file);
    return file;
}

}  // namespace tav::test
