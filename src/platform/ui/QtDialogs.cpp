#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tav {

namespace {

QMessageBox::StandardButton standardButton(Answer answer) {
    switch (answer) {
        case Answer::Ok: return QMessageBox::Ok;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        case Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
        case Icon::None: return QMessageBox::NoIcon;
        case Icon::Information: return QMessageBox::Information;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString germanText(Answer answer) {
    switch (answer) {
        case Answer::Ok: return QStringLiteral("OK");
        case Answer::Cancel: return QStringLiteral("Abbrechen");
        case Answer::Yes: return QStringLiteral("&Ja");
        case Answer::No: return QStringLiteral("&Nein");
        case Answer::Retry: return QStringLiteral("&Wiederholen");
    }
    return {};
}

// A box belongs over the window that asked: the given parent, else the modal window in front,
// else the active window, else the last visible main window or dialog. Without a window manager
// (and so without an active window) a box with no parent would open in the screen's centre.
QWidget* parentOr(QWidget* parent) {
    if (parent) return parent;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    QWidget* last = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->isWindow()) && (w->inherits("QMainWindow") || w->inherits("QDialog"))) last = w;
    return last;
}

}  // namespace

Answer QtDialogs::showMessage(const MessageRequest& request) {
    QMessageBox box(boxIcon(request.icon), request.caption, request.text, QMessageBox::NoButton, parentOr(parent_));
    const QList<Answer> answers = answersOf(request.buttons);
    for (int i = 0; i < answers.size(); ++i) {
        QPushButton* button = box.addButton(standardButton(answers[i]));
        button->setText(germanText(answers[i]));
        if (i + 1 == request.defaultButton) box.setDefaultButton(button);
    }
    // The close box of the window counts as the last "negative" answer, as on Windows.
    if (answers.contains(Answer::Cancel))
        box.setEscapeButton(standardButton(Answer::Cancel));
    else if (answers.contains(Answer::No))
        box.setEscapeButton(standardButton(Answer::No));
    const int result = box.exec();
    for (Answer a : answers)
        if (result == standardButton(a)) return a;
    return answers.contains(Answer::Cancel) ? Answer::Cancel : answers.back();
}

QString QtDialogs::showInput(const QString& prompt, const QString& title, const QString& defaultText) {
    QInputDialog dialog(parentOr(parent_));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue();
}

QString QtDialogs::showOpenFile(const QString& title, const QString& pipeFilter, const QString& startFolder) {
    return QFileDialog::getOpenFileName(parentOr(parent_), title, startFolder, qtFilter(pipeFilter));
}

}  // namespace tav
