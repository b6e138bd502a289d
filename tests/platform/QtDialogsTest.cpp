#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>

#include "platform/ui/QtDialogs.h"

using namespace tav;

// Whoever asks without naming a parent, the box opens over the window in front, never in the
// middle of the screen.
TEST(QtDialogsTest, ABoxWithoutParentOpensCentredOverTheWindowInFront) {
    QMainWindow haupt;
    haupt.setGeometry(10, 10, 340, 260);
    haupt.show();
    QDialog formular(&haupt);
    formular.setGeometry(430, 300, 340, 260);
    formular.setWindowModality(Qt::ApplicationModal);  // forms open modally over the plan
    formular.show();
    QtDialogs dialogs;
    for (QWidget* vorne : std::initializer_list<QWidget*>{&formular, &haupt}) {
        SCOPED_TRACE(vorne->metaObject()->className());
        if (vorne == &haupt) formular.hide();
        QRect wo;
        QTimer::singleShot(50, [&wo] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    wo = box->frameGeometry();
                    box->buttons().first()->click();
                }
        });
        dialogs.message(QStringLiteral("Wo stehe ich?"));
        ASSERT_TRUE(wo.isValid());
        EXPECT_LT((wo.center() - vorne->frameGeometry().center()).manhattanLength(), 60)
            << "box at " << wo.center().x() << "," << wo.center().y();
    }
}
