#pragma once

#include "platform/Dialogs.h"

class QWidget;

namespace tav {

// Real windows for the dialogs service: QMessageBox, QInputDialog, QFileDialog.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

protected:
    Answer showMessage(const MessageRequest& request) override;
    QString showInput(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString showOpenFile(const QString& title, const QString& pipeFilter, const QString& startFolder) override;

private:
    QWidget* parent_;
};

}  // namespace tav
