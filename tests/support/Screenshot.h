#pragma once

#include <QString>

class QWidget;

namespace tav::test {

// Renders a window (offscreen) into a PNG in $TAVOMERA_SCREENSHOT_DIR (default
// /tmp/tavomera-screens) and returns the file's path, so that a person can look at it.
QString saveScreenshot(QWidget& window, const QString& name);

}  // namespace tav::test
