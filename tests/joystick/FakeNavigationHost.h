#pragma once
// A NavigationHost that keeps a small model of the main window (focus area,
// four lists, emulator box, window state) and writes every action it is
// asked for into `actions`; housekeeping calls (enabling boxes, icon,
// captions) go to `housekeeping`.
#include "joystick/NavigationHost.h"

#include <QStringList>
#include <array>
#include <functional>

class FakeNavigationHost : public NavigationHost {
public:
    int focusArea = Focus::Favourites;
    std::array<int, 5> counts{0, 10, 10, 10, 10}; // by GameList number
    std::array<int, 5> indexes{0, 5, 5, 5, 5};
    bool longListVisible = false;
    int emuCount = 4;
    int emuIndex = 1;
    QString search;
    bool maximized = false;
    bool normal = true;
    bool addFavVisible = true;
    bool removeFavVisible = true;
    bool gameIndicator = false;
    bool startResult = true;
    bool iconVisible = false;
    QString captionLabel;
    QString status = QStringLiteral("Loading..");
    std::function<void(GameList)> onStart;
    std::function<void()> onAction;

    QStringList actions;
    QStringList housekeeping;

    QStringList take()
    {
        QStringList a = actions;
        actions.clear();
        housekeeping.clear();
        return a;
    }

    int FocusArea() const override { return focusArea; }
    void setFocusArea(int area) override
    {
        act(QStringLiteral("setFocusArea(%1)").arg(area));
        focusArea = area;
    }
    int listCount(GameList l) const override { return counts[size_t(l)]; }
    int listIndex(GameList l) const override { return indexes[size_t(l)]; }
    void setListIndex(GameList l, int i) override
    {
        act(QStringLiteral("setListIndex(%1,%2)").arg(int(l)).arg(i));
        indexes[size_t(l)] = i;
    }
    void focusList(GameList l, bool clear) override
    {
        act(QStringLiteral("focusList(%1%2)").arg(int(l)).arg(clear ? ",clear" : ""));
        focusArea = int(l);
    }
    void listClick(GameList l) override { act(QStringLiteral("listClick(%1)").arg(int(l))); }
    bool startSelectedGame(GameList l) override
    {
        act(QStringLiteral("startSelectedGame(%1)").arg(int(l)));
        if (onStart)
            onStart(l);
        return startResult;
    }
    void toggleCompleteListMark() override { act("toggleCompleteListMark"); }
    QString selectedEntryText(GameList l) const override
    {
        return QStringLiteral("Entry %1 of %2").arg(indexes[size_t(l)]).arg(int(l));
    }

    bool isEmulatorListVisible() const override { return longListVisible; }
    int emulatorCount() const override { return emuCount; }
    int emulatorIndex() const override { return emuIndex; }
    void setEmulatorIndexQuietly(int i) override
    {
        act(QStringLiteral("setEmulatorIndexQuietly(%1)").arg(i));
        emuIndex = i;
    }
    void setEmulatorBoxEnabled(bool e) override { keep(QStringLiteral("emuBoxEnabled(%1)").arg(e)); }
    void clearEmulatorBoxTextSelection() override { keep("clearEmuSelection"); }
    void emulatorBoxFocusHandling() override
    {
        act("emulatorBoxFocusHandling");
        focusArea = Focus::EmulatorBox;
        longListVisible = true;
    }
    void focusEmulatorBox() override { act("focusEmulatorBox"); }
    void emulatorBoxClick() override { act("emulatorBoxClick"); }
    void ShowEmulatorList(bool open) override
    {
        act(QStringLiteral("ShowEmulatorList(%1)").arg(open));
        longListVisible = open;
        if (open)
            focusArea = Focus::EmulatorBox;
    }
    void LeaveEmulatorBox() override
    {
        act("LeaveEmulatorBox");
        longListVisible = false;
        focusArea = counts[1] == 0 ? Focus::WithoutDuplicates : Focus::Favourites;
    }
    void SelectEmulator() override { act("SelectEmulator"); }

    void setSearchBoxEnabled(bool e) override { keep(QStringLiteral("searchEnabled(%1)").arg(e)); }
    QString searchText() const override { return search; }
    void focusSearchBox() override
    {
        act("focusSearchBox");
        focusArea = Focus::SearchBox;
    }
    void startSearchWith(QChar letter) override
    {
        act(QStringLiteral("startSearchWith(%1)").arg(letter));
        search = letter;
        focusArea = Focus::SearchBox;
    }

    bool isMaximized() const override { return maximized; }
    void setMaximized(bool m) override
    {
        act(QStringLiteral("setMaximized(%1)").arg(m));
        maximized = m;
        normal = !m;
    }
    bool isNormalState() const override { return normal; }
    void resizeByTwips(int w, int h) override { act(QStringLiteral("resizeByTwips(%1,%2)").arg(w).arg(h)); }
    void ExitBtn_Click() override { act("ExitBtn_Click"); }
    void beep() override { act("beep"); }

    bool addFavouriteVisible() const override { return addFavVisible; }
    void addFavouriteClick() override { act("addFavouriteClick"); }
    bool removeFavouriteVisible() const override { return removeFavVisible; }
    void removeFavouriteClick() override { act("removeFavouriteClick"); }

    bool runningGameIndicatorVisible() const override { return gameIndicator; }
    void killRunningGame() override { act("killRunningGame"); }

    void setJoystickIconVisible(bool v) override
    {
        iconVisible = v;
        keep(QStringLiteral("icon(%1)").arg(v));
    }
    void setCaptionLabel(const QString& c) override { captionLabel = c; }
    QString statusCaption() const override { return status; }
    void setStatusCaption(const QString& c) override { status = c; }
    void showStatusLabel() override {}

private:
    void act(const QString& a)
    {
        actions << a;
        if (onAction)
            onAction();
    }
    void keep(const QString& a) { housekeeping << a; }
};
