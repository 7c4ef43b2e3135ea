#pragma once
// A NavigationHost keeping a small model of the main window (focus area,
// four lists of 10 entries with entry 5 selected, an emulator box of 4
// profiles with profile 1 chosen, window state). Every action asked for is
// written to `actions`; housekeeping (enabling boxes, icon) to `chores`.
// NavigatorRig puts a Navigator over it and over scripted pads.
#include "joystick/NavigationHost.h"
#include "joystick/Navigator.h"

#include <QStringList>
#include <array>
#include <functional>

class FakeNavigationHost : public NavigationHost {
public:
    int focusArea = Focus::Favourites;
    std::array<int, 5> counts{0, 10, 10, 10, 10}, indexes{0, 5, 5, 5, 5}; // by list number
    bool longListVisible = false, maximized = false, normal = true, addFavVisible = true,
         removeFavVisible = true, gameIndicator = false, startResult = true, iconVisible = false;
    int emuCount = 4, emuIndex = 1;
    QString search, captionLabel, status = QStringLiteral("Loading..");
    std::function<void(GameList)> onStart;
    std::function<void()> onAction;
    QStringList actions, chores;

    QStringList take()
    {
        chores.clear();
        return std::exchange(actions, {});
    }

    int FocusArea() const override { return focusArea; }
    void setFocusArea(int a) override { act(QStringLiteral("setFocusArea(%1)").arg(a)); focusArea = a; }
    int listCount(GameList l) const override { return counts[size_t(l)]; }
    int listIndex(GameList l) const override { return indexes[size_t(l)]; }
    void setListIndex(GameList l, int i) override
    {
        act(QStringLiteral("setListIndex(%1,%2)").arg(int(l)).arg(i)); indexes[size_t(l)] = i;
    }
    void focusList(GameList l, bool clear) override
    {
        act(QStringLiteral("focusList(%1%2)").arg(int(l)).arg(clear ? ",clear" : "")); focusArea = int(l);
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
    void setEmulatorIndexQuietly(int i) override { act(QStringLiteral("emuIndex(%1)").arg(i)); emuIndex = i; }
    void setEmulatorBoxEnabled(bool e) override { chores << QStringLiteral("emuBoxEnabled(%1)").arg(e); }
    void clearEmulatorBoxTextSelection() override { chores << "clearEmuSelection"; }
    void emulatorBoxFocusHandling() override { act("emuBoxGotFocus"); focusArea = Focus::EmulatorBox; }
    void focusEmulatorBox() override { act("focusEmuBox"); }
    void emulatorBoxClick() override { act("emuBoxClick"); }
    void ShowEmulatorList(bool open) override { act(QStringLiteral("ShowEmulatorList(%1)").arg(open)); }
    void LeaveEmulatorBox() override { act("LeaveEmulatorBox"); focusArea = Focus::Favourites; }
    void SelectEmulator() override { act("SelectEmulator"); }
    void setSearchBoxEnabled(bool e) override { chores << QStringLiteral("searchEnabled(%1)").arg(e); }
    QString searchText() const override { return search; }
    void focusSearchBox() override { act("focusSearchBox"); }
    void startSearchWith(QChar c) override { act(QStringLiteral("startSearchWith(%1)").arg(c)); }
    bool isMaximized() const override { return maximized; }
    void setMaximized(bool m) override { act(QStringLiteral("setMaximized(%1)").arg(m)); maximized = m; }
    bool isNormalState() const override { return normal; }
    void resizeByTwips(int w, int h) override { act(QStringLiteral("resize(%1,%2)").arg(w).arg(h)); }
    void ExitBtn_Click() override { act("ExitBtn_Click"); }
    void beep() override { act("beep"); }
    bool addFavouriteVisible() const override { return addFavVisible; }
    void addFavouriteClick() override { act("addFavouriteClick"); }
    bool removeFavouriteVisible() const override { return removeFavVisible; }
    void removeFavouriteClick() override { act("removeFavouriteClick"); }
    bool runningGameIndicatorVisible() const override { return gameIndicator; }
    void killRunningGame() override { act("killRunningGame"); }
    void setJoystickIconVisible(bool v) override { iconVisible = v; }
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
};

#ifdef ARVEX_NAVIGATOR_RIG
#include "FakePadSource.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include "config/Language.h"

#include <memory>

// A Navigator over the fake host and `padCount` scripted pads, with a real
// global settings file in a temporary folder.
struct NavigatorRig {
    explicit NavigatorRig(int padCount = 0)
    {
        setCurrentLanguage(kLanguageEnglish);
        auto s = std::make_unique<FakePadSource>();
        source = s.get();
        source->pads.resize(size_t(padCount));
        pads = std::make_unique<Joystick>(std::move(s));
        nav = std::make_unique<Navigator>(host, *pads);
        nav->setGlobalSettingsFile(ini);
    }
    // Holds button `b` of pad 1 for exactly one timer tick.
    void pressForOneTick(int b)
    {
        source->pads[0].state.buttons[size_t(b - 1)] = 1;
        nav->JoystickTimer_Timer();
        source->pads[0].state.buttons[size_t(b - 1)] = 0;
    }

    TempDir dir;
    QString ini = dir.file(QStringLiteral("arvex.ini"));
    ScriptedPrompt prompt;
    FakeNavigationHost host;
    FakePadSource* source = nullptr;
    std::unique_ptr<Joystick> pads;
    std::unique_ptr<Navigator> nav;
};
#endif
