#include "settings/ui/Hilfebereich.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace tav {

Hilfebereich::Hilfebereich(QWidget* fenster, QLabel* feld) : QObject(fenster), feld_(feld) {
    for (QWidget* w : fenster->findChildren<QWidget*>())
        if (!w->toolTip().isEmpty()) w->installEventFilter(this);
}

bool Hilfebereich::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::Enter)
        if (auto* w = qobject_cast<QWidget*>(watched)) feld_->setText(w->toolTip());
    return QObject::eventFilter(watched, event);
}

}  // namespace tav
