#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <variant>

#include "platform/Dialogs.h"

namespace tav {

// Dialogs for tests: answers are queued beforehand, every box shown is recorded.
// A box that needs a decision but finds no queued answer takes its default button and is
// listed in unanswered(), so a test can insist that nothing was asked unexpectedly.
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, Input, OpenFile };
    struct Shown {
        Kind kind = Kind::Message;
        QString text;     // message text, input prompt, file dialog title
        QString caption;  // caption or title
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        int defaultButton = 1;
    };

    void answer(Answer a) { answers_.push_back(a); }
    void answerText(const QString& text) { texts_.push_back(text); }
    void answerFile(const QString& path) { files_.push_back(path); }

    const QList<Shown>& shown() const { return shown_; }
    QStringList texts() const;  // texts of all boxes shown, in order
    const Shown& last() const { return shown_.back(); }
    const QStringList& unanswered() const { return unanswered_; }
    bool allAnswersUsed() const { return answers_.empty() && texts_.empty() && files_.empty(); }
    void clear();

protected:
    Answer showMessage(const MessageRequest& request) override;
    QString showInput(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString showOpenFile(const QString& title, const QString& pipeFilter, const QString& startFolder) override;

private:
    std::deque<Answer> answers_;
    std::deque<QString> texts_;
    std::deque<QString> files_;
    QList<Shown> shown_;
    QStringList unanswered_;
};

}  // namespace tav
