#pragma once
// UpdaterPrompt: the one way the updater asks or tells the user something
// (the same shape as the launcher's prompt service, which the updater does
// not link). The window installs a Qt message-box prompt; an answer file
// replaces it for unattended runs (see AnswerFilePrompt). UI thread.
#include <QFile>
#include <QString>
#include <QStringList>

enum class UpdaterIcon { None, Information, Question, Warning, Critical };
enum class UpdaterButtons { Ok, OkCancel, YesNo };
enum class UpdaterAnswer { Ok, Cancel, Yes, No };

class UpdaterPrompt {
public:
    virtual ~UpdaterPrompt() = default;
    virtual UpdaterAnswer ask(const QString& title, const QString& text, UpdaterButtons buttons,
                              UpdaterIcon icon) = 0;
    // True when nobody sits at the window: the start button counts as pressed
    // at once and the window closes when its work is done.
    virtual bool unattended() const { return false; }

    void message(const QString& title, const QString& text, UpdaterIcon icon = UpdaterIcon::None)
    {
        ask(title, text, UpdaterButtons::Ok, icon);
    }
};

// Answers boxes from a file instead of a person: one answer a line ("yes",
// "no", "ok", "cancel"; blank lines and lines starting with "#" skipped),
// used in order; when they run out, every box gets its safe default (Ok for
// a message, Cancel / No for a question). Each box asked is appended to the
// log file as one line: title, TAB, text (line breaks written as "\n"),
// TAB, the answer given. Selected by the environment variables
// ARVEX_UPDATER_ANSWERS (the answer file, may be empty) and
// ARVEX_UPDATER_PROMPT_LOG (the log; without it the lines go to stderr);
// meant for tests and scripted installs, it makes the run unattended.
class AnswerFilePrompt final : public UpdaterPrompt {
public:
    AnswerFilePrompt(const QString& answerFile, const QString& logFile);

    UpdaterAnswer ask(const QString& title, const QString& text, UpdaterButtons buttons,
                      UpdaterIcon icon) override;
    bool unattended() const override { return true; }

    // The answer-file prompt when ARVEX_UPDATER_ANSWERS is set, else nullptr.
    static AnswerFilePrompt* fromEnvironment();

private:
    QStringList m_answers;
    QString m_logFile;
};
