#pragma once
// The real prompt service: Qt message, question and input boxes, parented to
// the main window so they stay on top of it. UI thread.
#include "services/Prompt.h"

class QWidget;

class QtPrompt final : public Prompt {
public:
    explicit QtPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    PromptAnswer ask(const QString& title, const QString& text, PromptButtons buttons,
                     PromptIcon icon) override;
    bool input(const QString& title, const QString& text, QString& value) override;

private:
    QWidget* m_parent;
};
