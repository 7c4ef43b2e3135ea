#pragma once
// FocusStyle: makes the control that has the keyboard focus stand out from
// across the room, in every skin.
//  - A ring is drawn around the focused control of the window (a game list,
//    the search box, a button, the emulator box): a thick band in the skin's
//    font colour between thin bands in its back colour, so it shows on the
//    window's background picture and beside controls of either colour.
//  - The selected row of the focused game list is drawn in the font colour
//    (text in the back colour); the selection of the other lists is dimmed
//    to a shade between the two colours, in every palette group, so only
//    one bright selection is on screen.
// The colours come from the skin (FocusColoursFor); a skin whose two colours
// are too alike for text gets black or white text instead.
//
// Created by the game-list area on the main window; follows the focus
// through QApplication::focusChanged. UI thread only.
#include <QAbstractItemView>
#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

struct FocusColours {
    QColor text;        // marks on the back colour: the font colour, or black/white
    QColor base;        // the back colour
    QColor ring;        // the focus ring's thick band
    QColor ringEdge;    // the ring's thin outer and inner bands
    QColor selected;    // selected row of the focused list
    QColor selectedText;
    QColor dimmed;      // selected row of a list without the focus
    QColor dimmedText;
};

// WCAG contrast ratio of two colours: 1 (equal) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
// The colours of the focus marks for a skin's back and font colour.
FocusColours FocusColoursFor(const QColor& back, const QColor& font);

class FocusStyle : public QObject {
public:
    // Width of the ring around the focused control, in pixels.
    static constexpr int kRingWidth = 5;

    explicit FocusStyle(QWidget* window, QObject* parent = nullptr);
    ~FocusStyle() override;

    // A game list whose selection follows the focus.
    void addList(QAbstractItemView* view);
    // Takes the skin's colours and colours the lists and the ring again.
    void setColours(const QColor& back, const QColor& font);
    const FocusColours& colours() const { return m_colours; }

    // The control the ring is around; null while none is.
    QWidget* framedControl() const { return m_target; }
    // The ring (a see-through widget laid over the window).
    QWidget* ring() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* now);
    void setTarget(QWidget* target);
    void placeRing();
    void colourLists();

    QPointer<QWidget> m_window;
    class Ring;
    Ring* ringWidget() const;
    QPointer<QWidget> m_ring; // a Ring
    QPointer<QWidget> m_target;
    QList<QPointer<QWidget>> m_watched; // the target and its parents up to the window
    QList<QPointer<QAbstractItemView>> m_lists;
    FocusColours m_colours;
};
