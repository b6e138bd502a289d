#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tav {

// Opening documents with their registered program and starting other programs, behind one
// interface so that the commands that do it can be tested without starting anything.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens a document (PDF, HTML, …) with the program the desktop associates with it.
    // False when the file is missing or no program could open it.
    virtual bool openDocument(const QString& path) = 0;
    // Starts a program detached from this one. The path goes through programPath() first.
    // False when the program is missing or could not be started.
    virtual bool startProgram(const QString& path, const QStringList& arguments = {}) = 0;
    // True when the program file exists (after programPath()).
    virtual bool programExists(const QString& path) const;
    // Brings the main window of a running program of the family to the front, found by its
    // title. A program announces its window by holding the lock file windowLockPath(title)
    // while it runs, and raises its window when the file windowRaisePath(title) appears.
    // False when no running program announces that title.
    virtual bool raiseWindow(const QString& title);
    // Whether a running program of the family announces a window with this title now.
    virtual bool windowExists(const QString& title) const;
    // Whether a word processor for documents and printed plans is installed. The program writes
    // its documents with its own mail merge, which is part of it: on the real desktop there is
    // always one.
    virtual bool wordProcessorInstalled() const { return true; }

    static QString windowLockPath(const QString& title);
    static QString windowRaisePath(const QString& title);

    // The file that stands for a program path on this platform: off Windows "X.exe" is the
    // executable "X" beside it; on Windows the path is taken as it is.
    static QString programPath(const QString& path);
};

// The real desktop: QDesktopServices::openUrl (else the desktop's opener xdg-open) and
// QProcess::startDetached.
class SystemShell final : public Shell {
public:
    bool openDocument(const QString& path) override;
    bool startProgram(const QString& path, const QStringList& arguments = {}) override;
};

// For tests: records every request and answers from a list of programs and documents that
// "exist"; nothing is opened or started.
class ScriptedShell final : public Shell {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };

    // Paths as the caller passes them ("…/Yorvak.exe"); programExists() compares after
    // programPath(), so either spelling may be given here.
    void addProgram(const QString& path) { programs_ << programPath(path); }
    void addDocument(const QString& path) { documents_ << path; }
    // Programs that exist but whose start fails.
    void failStart(const QString& path) { failing_ << programPath(path); }
    // A running program whose main window has this title.
    void addWindow(const QString& title) { windows_ << title; }
    // A desktop without a word processor.
    void setWordProcessorInstalled(bool installed) { wordProcessor_ = installed; }
    bool wordProcessorInstalled() const override { return wordProcessor_; }

    bool openDocument(const QString& path) override;
    bool startProgram(const QString& path, const QStringList& arguments = {}) override;
    bool programExists(const QString& path) const override;
    bool raiseWindow(const QString& title) override;
    bool windowExists(const QString& title) const override { return windows_.contains(title); }
    // The program with this window ended.
    void removeWindow(const QString& title) { windows_.removeAll(title); }

    const QList<Start>& started() const { return started_; }
    const QStringList& opened() const { return opened_; }
    const QStringList& raised() const { return raised_; }

private:
    QStringList programs_;
    QStringList documents_;
    QStringList failing_;
    QStringList windows_;
    QList<Start> started_;
    QStringList opened_;
    QStringList raised_;
    bool wordProcessor_ = true;
};

}  // namespace tav
