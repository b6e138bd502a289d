#include "payment/ui/Zeichenfilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace tav {

Zeichenfilter::Zeichenfilter(QLineEdit* box, std::function<bool(QChar)> regel) : QObject(box), regel_(std::move(regel)) {
    box->installEventFilter(this);
}

bool Zeichenfilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const QString t = k->text();
        if (t.size() == 1 && t[0].isPrint() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !regel_(t[0])) return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tav
