// The real prompt service: Qt message and input boxes, answered by clicking
// their buttons as a person would, in both interface languages.
#include "config/Language.h"
#include "ui/QtPrompt.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `act` on the modal box once it is open.
void whenOpen(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        act(box);
    });
}

QStringList buttonTexts(QWidget* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (!b->text().isEmpty())
            texts << b->text();
    texts.sort();
    return texts;
}

void click(QWidget* box, const QString& text)
{
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->text() == text) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

struct Language {
    explicit Language(int language) { setCurrentLanguage(language); }
    ~Language() { setCurrentLanguage(kLanguageEnglish); }
};

TEST(QtPrompt, EachAnswerComesFromItsButtonCaptionedInTheInterfaceLanguage)
{
    QtPrompt prompt;
    const struct {
        int language;
        PromptButtons buttons;
        QStringList captions;
        QString clicked;
        PromptAnswer answer;
    } rows[] = {
        {kLanguageEnglish, PromptButtons::Ok, {"OK"}, "OK", PromptAnswer::Ok},
        {kLanguageEnglish, PromptButtons::OkCancel, {"Cancel", "OK"}, "Cancel", PromptAnswer::Cancel},
        {kLanguageGerman, PromptButtons::OkCancel, {"Abbrechen", "OK"}, "OK", PromptAnswer::Ok},
        {kLanguageGerman, PromptButtons::YesNo, {"Ja", "Nein"}, "Nein", PromptAnswer::No},
        {kLanguageEnglish, PromptButtons::YesNoCancel, {"Cancel", "No", "Yes"}, "Yes", PromptAnswer::Yes},
    };
    for (const auto& r : rows) {
        Language language(r.language);
        QStringList shown;
        QString title;
        whenOpen([&](QWidget* box) {
            shown = buttonTexts(box);
            title = box->windowTitle();
            click(box, r.clicked);
        });
        EXPECT_EQ(prompt.ask("Title", "Text", r.buttons, PromptIcon::Question), r.answer) << r.clicked.toStdString();
        EXPECT_EQ(shown, r.captions);
        EXPECT_EQ(title, "Title");
    }
}

TEST(QtPrompt, InputGivesTheTypedTextOrKeepsTheValueWhenCancelled)
{
    QtPrompt prompt;
    Language language(kLanguageGerman);
    QString value = "Old name";
    whenOpen([](QWidget* box) {
        QLineEdit* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), "Old name");
        edit->setText("New name");
        click(box, "OK");
    });
    EXPECT_TRUE(prompt.input("Rename", "Name:", value));
    EXPECT_EQ(value, "New name");

    whenOpen([](QWidget* box) {
        box->findChild<QLineEdit*>()->setText("Thrown away");
        click(box, "Abbrechen");
    });
    EXPECT_FALSE(prompt.input("Rename", "Name:", value));
    EXPECT_EQ(value, "New name");
}

} // namespace
