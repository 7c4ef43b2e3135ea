#include "support/ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt() { setPrompt(this); }

ScriptedPrompt::~ScriptedPrompt() { setPrompt(nullptr); }

PromptAnswer ScriptedPrompt::ask(const QString& title, const QString& text, PromptButtons buttons,
                                 PromptIcon icon)
{
    m_asked.append({title, text, buttons, icon});
    return m_answers.isEmpty() ? m_default : m_answers.takeFirst();
}

bool ScriptedPrompt::input(const QString& title, const QString& text, QString& value)
{
    m_asked.append({title, text, PromptButtons::OkCancel, PromptIcon::None});
    if (m_inputs.isEmpty())
        return false;
    const Input in = m_inputs.takeFirst();
    if (in.accepted)
        value = in.value;
    return in.accepted;
}
