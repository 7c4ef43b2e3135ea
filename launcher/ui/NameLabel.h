#pragma once
// NameLabel: keeps the main window's name label (`Current_ProgramNameFull`)
// showing its text whole, or in a smaller font, or cut at its end with an
// ellipsis, whatever room the window's layout gives it (see NameLabelFit.h).
//
// The label gets a fixed height of two lines of its font and takes whatever
// width its row leaves; the text is fitted again whenever that size changes,
// so a narrow window never shows a name with characters missing or lines
// cut off at the label's edge. The label shows plain text only.
//
// Attached once to the label (a child object of it, found again by attach());
// text put into the label directly with setText() or clear() is taken as
// the new text at the next fit. UI thread only.
#include <QFont>
#include <QObject>
#include <QString>

class QLabel;

class NameLabel : public QObject {
public:
    // The label's fitter, created on first use.
    static NameLabel* attach(QLabel* label);
    // Shows `text` in the label, fitted. Null is ignored.
    static void show(QLabel* label, const QString& text);

    void setFullText(const QString& text);
    QString fullText() const { return m_full; }
    // True when the text shown is cut at its end.
    bool cut() const { return m_cut; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NameLabel(QLabel* label);
    void refit();

    QLabel* m_label;
    QFont m_baseFont;
    QString m_full;
    QString m_shown;
    bool m_cut = false;
    bool m_fitting = false;
};
