#pragma once
// Prompt: the one way the launcher talks to the user through message,
// question and input boxes. The main window installs the real Qt
// implementation (ui/QtPrompt); tests install a scripted one that answers
// from a queue and records what was asked. UI thread only.
#include <QString>

enum class PromptIcon { None, Information, Question, Warning, Critical };

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };

enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
public:
    virtual ~Prompt() = default;

    // A message or question box; returns the button the user chose.
    virtual PromptAnswer ask(const QString& title, const QString& text, PromptButtons buttons,
                             PromptIcon icon) = 0;

    // An input box; returns false when the user cancelled.
    virtual bool input(const QString& title, const QString& text, QString& value) = 0;

    void message(const QString& title, const QString& text, PromptIcon icon = PromptIcon::None)
    {
        ask(title, text, PromptButtons::Ok, icon);
    }
};

// The prompt service the whole program uses. Never null: until a window
// installs another one, a silent prompt answers every box with its default
// (Ok / Yes-less: Cancel or No) so that headless code never blocks.
Prompt& prompt();
// Installs `p` (not owned) as the prompt service; nullptr restores the silent one.
void setPrompt(Prompt* p);
