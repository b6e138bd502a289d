#pragma once

#include <QObject>
#include <functional>

class QLabel;
class QLineEdit;
class QWidget;

namespace tav {

// Lets only the characters through that a rule of the logic accepts; editing keys (arrows,
// Delete, Tab, Enter) always pass. The rule sees the typed character and the box's text.
class TastenFilter : public QObject {
public:
    using Regel = std::function<bool(QChar, const QString&)>;
    TastenFilter(QLineEdit* box, Regel regel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* box_;
    Regel regel_;
};

// Shows the tool tip of the control under the mouse in a help field of the window.
class Hilfezeile : public QObject {
public:
    // Watches every child of the window that has a tool tip.
    Hilfezeile(QWidget* fenster, QLabel* feld);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* feld_;
};

}  // namespace tav
