#include "startup/ui/frmMaskeAufbauen.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tav {

frmMaskeAufbauen::frmMaskeAufbauen(const QString& titel, QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("frmMaskeAufbauen"));
    setWindowTitle(QStringLiteral("Initialisierung"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    auto* name = new QLabel(titel, this);
    QFont f = name->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    name->setFont(f);
    name->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(QStringLiteral("Die Datenbanken werden geöffnet und die Einstellungen gelesen …"), this);
    text->setAlignment(Qt::AlignCenter);
    auto* balken = new QProgressBar(this);
    balken->setRange(0, 0);  // busy: no end known
    balken->setTextVisible(false);
    layout->addWidget(name);
    layout->addWidget(text);
    layout->addWidget(balken);
    setMinimumWidth(380);
}

}  // namespace tav
