#pragma once

#include <QList>
#include <QString>
#include <deque>
#include <variant>

#include "platform/Dialogs.h"

namespace tav {

// Dialogs for tests: answers are queued beforehand, every box shown is recorded.
// A box that needs a decision but finds no queued answer takes its default button and is
// listed in unanswered(). A box left unanswered or a queued answer nobody asked for is
// reported, when the object is cleared or destroyed, to the handler the test program installs
// (it fails the running test), unless the test declared it with expectUnanswered().
class ScriptedDialogs final : public Dialogs {
public:
    using LeftOpenHandler = void (*)(const QStringList& leftOpen);
    static LeftOpenHandler setLeftOpenHandler(LeftOpenHandler handler);  // returns the previous one

    ScriptedDialogs() = default;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
    ~ScriptedDialogs() override;

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
    void answerFile(const QString& path) { files_.push_back(path); }  // an empty path cancels

    const QList<Shown>& shown() const { return shown_; }
    QStringList texts() const;  // texts of all boxes shown, in order
    const Shown& last() const { return shown_.back(); }
    const QStringList& unanswered() const { return unanswered_; }
    bool allAnswersUsed() const { return answers_.empty() && texts_.empty() && files_.empty(); }
    // Boxes unanswered and answers unused, one line each.
    QStringList leftOpen() const;
    // Until the next clear(), boxes may stay unanswered: the test checks unanswered() itself.
    void expectUnanswered() { unansweredExpected_ = true; }
    // Reports what was left open, then forgets every answer and every box shown.
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
    bool unansweredExpected_ = false;

    void reportLeftOpen() const;
};

}  // namespace tav
