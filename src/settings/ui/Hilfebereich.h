#pragma once

#include <QObject>

class QLabel;
class QWidget;

namespace tav {

// The help area of a settings window: shows the help text of the box that has the focus, or
// of the control under the mouse.
class Hilfebereich : public QObject {
public:
    Hilfebereich(QWidget* fenster, QLabel* feld);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* feld_;
};

}  // namespace tav
