#include "platform/ui/WindowParts.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace tav::parts {

QPushButton* button(const QString& name, const QString& text, const QString& help, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    if (!help.isEmpty()) b->setToolTip(help);
    b->setAutoDefault(false);
    return b;
}

QLabel* helpLine(const QString& text, int lines) {
    auto* l = new QLabel(text);
    l->setObjectName(QStringLiteral("lblHilfe"));
    l->setWordWrap(true);
    l->setFrameShape(QFrame::StyledPanel);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setMinimumHeight(lines * l->fontMetrics().height() + 8);
    return l;
}

QTableView* resultGrid(const QString& name, QAbstractItemModel* model) {
    auto* t = new QTableView;
    t->setObjectName(name);
    t->setModel(model);
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

void captionedRow(QFormLayout* layout, const QString& text, QWidget* field) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    layout->addRow(label, field);
}

}  // namespace tav::parts
