#pragma once
// The updater's real prompt: Qt message boxes over the updater's window,
// buttons captioned in the interface language. UI thread.
#include "UpdaterPrompt.h"

class QWidget;

class QtUpdaterPrompt final : public UpdaterPrompt {
public:
    void setParent(QWidget* parent) { m_parent = parent; }
    UpdaterAnswer ask(const QString& title, const QString& text, UpdaterButtons buttons,
                      UpdaterIcon icon) override;

private:
    QWidget* m_parent = nullptr;
};
