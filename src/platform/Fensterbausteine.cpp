#include "platform/Fensterbausteine.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace tav::bausteine {

QPushButton* knopf(const QString& name, const QString& text, const QString& hilfe, QWidget* eltern) {
    auto* b = new QPushButton(text, eltern);
    b->setObjectName(name);
    if (!hilfe.isEmpty()) b->setToolTip(hilfe);
    b->setAutoDefault(false);
    return b;
}

QLabel* hilfeZeile(const QString& text, int zeilen) {
    auto* l = new QLabel(text);
    l->setObjectName(QStringLiteral("lblHilfe"));
    l->setWordWrap(true);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setMinimumHeight(zeilen * l->fontMetrics().height() + 8);
    return l;
}

QTableView* trefferTabelle(const QString& name, QAbstractItemModel* modell) {
    auto* t = new QTableView;
    t->setObjectName(name);
    t->setModel(modell);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setAlternatingRowColors(true);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void beschrifteteZeile(QFormLayout* layout, const QString& text, QWidget* feld) {
    auto* label = new QLabel(text);
    label->setBuddy(feld);
    layout->addRow(label, feld);
}

}  // namespace tav::bausteine
