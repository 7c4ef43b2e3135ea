#include "services/Prompt.h"

namespace {

class SilentPrompt final : public Prompt {
public:
    PromptAnswer ask(const QString&, const QString&, PromptButtons buttons, PromptIcon) override
    {
        switch (buttons) {
        case PromptButtons::Ok: return PromptAnswer::Ok;
        case PromptButtons::OkCancel: return PromptAnswer::Cancel;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel: return PromptAnswer::No;
        }
        return PromptAnswer::Cancel;
    }
    bool input(const QString&, const QString&, QString&) override { return false; }
};

SilentPrompt g_silent;
Prompt* g_current = &g_silent;

} // namespace

Prompt& prompt() { return *g_current; }

void setPrompt(Prompt* p) { g_current = p ? p : &g_silent; }
