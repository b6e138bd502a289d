#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace tav {

// Lets only the characters through that a rule accepts; editing keys (arrows, Backspace,
// Delete, Tab, Enter) always pass.
class Zeichenfilter : public QObject {
public:
    Zeichenfilter(QLineEdit* box, std::function<bool(QChar)> regel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QChar)> regel_;
};

}  // namespace tav
