// Events: clicks, check boxes, text fields, Tab order, shortcuts, right presses, close requests
// and popup menus, driven through the real widgets by the scripted user.
#include "gui_test.h"

#include <QApplication>
#include <QWidget>

namespace {

using Events = GuiTest;
using GadgetPairs = std::vector<std::pair<int, int>>;

TEST_F(Events, ButtonClickIsAGadgetEventOfItsWindow) {
    OpenTestWindow(300);
    AddButton(293, 78, 90, 60, 18, "About");
    OpenTestWindow(301);
    AddButton(322, 355, 85, 84, 20, "OK", BS_DEFPUSHBUTTON);
    Script script;
    script.ClickGadget(293).ClickGadget(322).Quit();
    const std::vector<SeenEvent> seen = CollectEvents(script);
    const std::vector<SeenEvent> expected{{GadgetEvent, 293, BN_CLICKED, 300},
                                          {GadgetEvent, 322, BN_CLICKED, 301}};
    EXPECT_EQ(seen, expected);
}

TEST_F(Events, CheckBoxHasToggledWhenItsEventArrives) {
    OpenTestWindow(300);
    AddCheckBox(12, 278, 100, 12, 20, "", BS_CENTER);
    AddCheckBox(90, 67, 48, 12, 12, "", BS_CENTER);
    Script script;
    script.ClickGadget(12).ClickGadget(90).ClickGadget(12).Quit();
    std::vector<std::pair<int, int>> states; // (gadget, its state when the event arrived)
    script.Run([&] {
        while (WaitEvent() == GadgetEvent)
            states.emplace_back(EventSource(), ReadGadgetState(EventSource()));
    });
    EXPECT_EQ(states, (GadgetPairs{{12, 1}, {90, 1}, {12, 0}}));
}

TEST_F(Events, ToggleButtonFlipsAtEachClick) {
    OpenTestWindow(301);
    AddButton(309, 183, 22, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    Script script;
    script.ClickGadget(309).ClickGadget(309).Quit();
    std::vector<int> states;
    script.Run([&] {
        while (WaitEvent() == GadgetEvent) states.push_back(ReadGadgetState(309));
    });
    EXPECT_EQ(states, (std::vector<int>{1, 0}));
}

TEST_F(Events, TextFieldReportsEveryKeystrokeAndItsFocusChanges) {
    OpenTestWindow(301);
    AddTextField(302, 44, 22, 134, 20, "", ES_CENTER);
    AddTextField(303, 44, 42, 134, 20, "", ES_CENTER);
    Script script;
    script.TypeText(302, "Aé").ClickGadget(303).Quit();
    std::vector<std::pair<int, Text>> seen; // (subtype, text of 302 at that moment)
    GadgetPairs sources;
    script.Run([&] {
        while (WaitEvent() == GadgetEvent) {
            sources.emplace_back(EventSource(), EventSubtype());
            if (EventSource() == 302) seen.emplace_back(EventSubtype(), ReadGadgetText(302));
        }
    });
    const std::vector<std::pair<int, Text>> expected{
        {EN_SETFOCUS, ""}, {EN_CHANGE, "A"}, {EN_CHANGE, "Aé"}, {EN_KILLFOCUS, "Aé"}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(sources.back(), std::make_pair(303, EN_SETFOCUS));
}

TEST_F(Events, ChangesTheLogicMakesAreNoEvents) {
    OpenTestWindow(301);
    AddTextField(302, 44, 22, 134, 20, "", ES_CENTER);
    AddCheckBox(5, 0, 0, 12, 12, "");
    AddButton(6, 0, 50, 40, 20, "B");
    Script script;
    script.Call([] {
        WriteGadgetText(302, "typed by the program");
        WriteGadgetState(5, 1);
    });
    script.ClickGadget(6).Quit();
    WriteGadgetText(302, "before the wait");
    GadgetPairs changes; // what is not focus movement
    for (const auto& event : GadgetEventsOf(CollectEvents(script)))
        if (event.second != EN_SETFOCUS && event.second != EN_KILLFOCUS) changes.push_back(event);
    EXPECT_EQ(changes, (GadgetPairs{{6, BN_CLICKED}}));
}

// Tab goes through enabled, visible tab stops in creation order and wraps; labels, frames and
// hidden or disabled gadgets are passed over.
TEST_F(Events, TabAndShiftTabMoveTheFocusInCreationOrderAndWrap) {
    OpenTestWindow(301);
    AddTextField(302, 44, 22, 134, 20, "");
    AddLabel(305, -9, 24, 50, 14, "LINE 1:", SS_RIGHT);
    AddButton(309, 183, 22, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    AddTextField(303, 44, 42, 134, 20, "");
    AddFrame(319, 183, 85, 42, 20, "", 2);
    AddButton(321, 269, 85, 84, 20, "Cancel");
    AddButton(322, 355, 85, 84, 20, "OK", BS_DEFPUSHBUTTON);
    AddButton(318, 45, 85, 132, 20, "Change Background Color"); // replaced below: goes last
    AddCheckBox(7, 0, 0, 12, 12, "");
    SetGadgetHidden(303, 1);
    static_cast<QWidget*>(GadgetWidget(321))->setEnabled(false);
    AddButton(318, 45, 85, 132, 20, "Change Background Color");

    std::vector<int> forward, backward, fromNone;
    const auto clearFocus = [] {
        if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    };
    const auto note = [](std::vector<int>& into) {
        return [&into] { into.push_back(FocusedGadget()); };
    };
    Script script;
    script.ClickGadget(322);
    for (int i = 0; i < 5; ++i) script.PressTab().Call(note(forward));
    for (int i = 0; i < 3; ++i) script.PressShiftTab().Call(note(backward));
    script.Call(clearFocus).PressTab().Call(note(fromNone));
    script.Call(clearFocus).PressShiftTab().Call(note(fromNone));
    script.Quit();
    CollectEvents(script);
    EXPECT_EQ(forward, (std::vector<int>{7, 318, 302, 309, 322}));
    EXPECT_EQ(backward, (std::vector<int>{309, 302, 318}));
    EXPECT_EQ(fromNone, (std::vector<int>{302, 318}));
}

TEST_F(Events, F1IsAMenuEventOnlyWhileItsWindowIsActive) {
    OpenTestWindow(300);
    AddButton(293, 78, 90, 60, 18, "About");
    AddShortcut(300, KeyF1, 1);
    OpenTestWindow(301);
    AddButton(322, 355, 85, 84, 20, "OK");
    Script script;
    script
        .ClickGadget(322) // window 301 active: F1 there does nothing
        .PressF1()
        .ClickGadget(293) // window 300 active
        .PressF1()
        .Quit();
    const std::vector<SeenEvent> seen = CollectEvents(script);
    const std::vector<SeenEvent> expected{{GadgetEvent, 322, BN_CLICKED, 301},
                                          {GadgetEvent, 293, BN_CLICKED, 300},
                                          {MenuEvent, 1, 0, 300}};
    EXPECT_EQ(seen, expected);
}

TEST_F(Events, AShortcutAddedAgainForTheSameKeyTakesTheNewCommand) {
    OpenTestWindow(300);
    AddShortcut(300, KeyF1, 1);
    AddShortcut(300, KeyF1, 7);
    AddShortcut(300, KeyF1 | ShortcutShift, 8);
    AddShortcut(300, 'S' | ShortcutCtrl, 9);
    Script script;
    script.PressF1().PressKey(KeyF1 | ShortcutShift).PressKey('S' | ShortcutCtrl).PressKey('S');
    script.Quit();
    const std::vector<SeenEvent> seen = CollectEvents(script);
    const std::vector<SeenEvent> expected{
        {MenuEvent, 7, 0, 300}, {MenuEvent, 8, 0, 300}, {MenuEvent, 9, 0, 300}};
    EXPECT_EQ(seen, expected);
}

TEST_F(Events, RightPressAnywhereInAWindowIsReportedOnce) {
    OpenTestWindow(300);
    AddButton(202, 10, 90, 128, 40, "", BS_MULTILINE);
    AddLabel(324, 10, 150, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddCheckBox(12, 138, 100, 12, 20, "");
    Script script;
    script.RightClick(202).RightClick(324).RightClick(12).RightClickAt(300, 300, 250).Quit();
    const std::vector<SeenEvent> seen = CollectEvents(script);
    ASSERT_EQ(seen.size(), 4u);
    for (const SeenEvent& e : seen) {
        EXPECT_EQ(e.code, RightButtonDownEvent);
        EXPECT_EQ(e.window, 300);
    }
    EXPECT_EQ(ReadGadgetState(12), 0); // a right click does not tick
}

TEST_F(Events, CloseBoxAndAltF4ReportACloseEventAndTheWindowStays) {
    OpenTestWindow(300);
    AddButton(293, 78, 90, 60, 18, "About");
    OpenTestWindow(301);
    Script script;
    script.ClickGadget(293).CloseWindow(301).PressKey(0x73 | ShortcutAlt);
    script.Call([] {
        for (int window : {300, 301}) {
            ASSERT_NE(WindowWidget(window), nullptr);
            EXPECT_TRUE(static_cast<QWidget*>(WindowWidget(window))->isVisible());
        }
    });
    script.Quit();
    const std::vector<SeenEvent> seen = CollectEvents(script);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].code, CloseEvent);
    EXPECT_EQ(seen[1].window, 301);
    EXPECT_EQ(seen[1].source, 293); // a close event leaves the source as it was
    EXPECT_EQ(seen[2].code, CloseEvent);
    EXPECT_EQ(seen[2].window, 300);
}

TEST_F(Events, ChosenPopupItemIsAMenuEvent) {
    OpenTestWindow(300);
    AddButton(202, 10, 90, 128, 40, "", BS_MULTILINE);
    NewPopupMenu(0);
    AddMenuItem(1, "Swap Contents (F1)");
    AddMenuSeparator();
    AddMenuItem(2, "Usage: ...");
    Script script;
    script.RightClick(202).ChoosePopupItem(2).RightClick(202).DismissPopup().RightClick(202);
    script.ChoosePopupItem(1).Quit();
    std::vector<SeenEvent> seen;
    script.Run([&] {
        for (int code = WaitEvent(); code != QuitEvent; code = WaitEvent()) {
            seen.push_back({code, EventSource(), EventSubtype(), EventWindow()});
            if (code == RightButtonDownEvent) ShowPopupMenu(0, CurrentWindowHandle());
        }
    });
    std::vector<std::pair<int, int>> codes; // (code, source of menu events)
    for (const SeenEvent& e : seen) {
        EXPECT_EQ(e.window, 300);
        codes.emplace_back(e.code, e.code == MenuEvent ? e.source : 0);
    }
    EXPECT_EQ(codes, (GadgetPairs{{RightButtonDownEvent, 0},
                                  {MenuEvent, 2},
                                  {RightButtonDownEvent, 0},
                                  {RightButtonDownEvent, 0},
                                  {MenuEvent, 1}}));
}

TEST_F(Events, WaitEndsWithQuitWhenNoWindowIsLeft) {
    EXPECT_EQ(WaitEvent(), QuitEvent);
    OpenTestWindow(300);
    CloseAppWindow(300);
    EXPECT_EQ(WaitEvent(), QuitEvent);
}

TEST_F(Events, RequestQuitEndsEveryWaitUntilCleared) {
    OpenTestWindow(300);
    RequestQuit();
    EXPECT_EQ(WaitEvent(), QuitEvent);
    EXPECT_EQ(WaitEvent(), QuitEvent);
    ClearQuitRequest();
    Script script;
    script.CloseWindow(300).Quit();
    EXPECT_EQ(CollectEvents(script).size(), 1u);
}

} // namespace
