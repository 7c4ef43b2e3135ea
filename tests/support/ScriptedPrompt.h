#pragma once
// A Prompt that answers from a script: queued answers are used in order;
// when the queue is empty the default answer is given. Every box asked is
// recorded so tests can check titles and texts. Installs itself on
// construction and restores the silent prompt on destruction.
#include "services/Prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

class ScriptedPrompt final : public Prompt {
public:
    struct Asked {
        QString title;
        QString text;
        PromptButtons buttons;
        PromptIcon icon;
    };

    ScriptedPrompt();
    ~ScriptedPrompt() override;

    void queue(PromptAnswer answer) { m_answers.append(answer); }
    void queueInput(const QString& value, bool accepted = true)
    {
        m_inputs.append({value, accepted});
    }
    void setDefault(PromptAnswer answer) { m_default = answer; }

    const QList<Asked>& asked() const { return m_asked; }
    QString lastTitle() const { return m_asked.isEmpty() ? QString() : m_asked.last().title; }
    QString lastText() const { return m_asked.isEmpty() ? QString() : m_asked.last().text; }
    int count() const { return int(m_asked.size()); }
    void clear() { m_asked.clear(); }

    PromptAnswer ask(const QString& title, const QString& text, PromptButtons buttons,
                     PromptIcon icon) override;
    bool input(const QString& title, const QString& text, QString& value) override;

private:
    struct Input {
        QString value;
        bool accepted;
    };
    QList<PromptAnswer> m_answers;
    QList<Input> m_inputs;
    QList<Asked> m_asked;
    PromptAnswer m_default = PromptAnswer::Ok;
};
