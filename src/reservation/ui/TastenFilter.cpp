#include "reservation/ui/TastenFilter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace tav {

TastenFilter::TastenFilter(QLineEdit* box, Regel regel) : QObject(box), box_(box), regel_(std::move(regel)) {
    box->installEventFilter(this);
}

bool TastenFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->key() == Qt::Key_Backspace) return !regel_(QChar(0x08), box_->text());
        if (text.size() == 1 && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) return !regel_(text.at(0), box_->text());
    }
    return QObject::eventFilter(watched, event);
}

Hilfezeile::Hilfezeile(QWidget* fenster, QLabel* feld) : QObject(fenster), feld_(feld) {
    for (QWidget* w : fenster->findChildren<QWidget*>())
        if (!w->toolTip().isEmpty()) w->installEventFilter(this);
}

bool Hilfezeile::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter)
        if (auto* w = qobject_cast<QWidget*>(watched)) feld_->setText(w->toolTip());
    return QObject::eventFilter(watched, event);
}

}  // namespace tav
