// Events: what the user does to the windows (clicks, toggles, typing, focus, Tab, shortcuts,
// right presses, close requests, popup menus) becomes one program event at a time, and what
// the program does to its own gadgets becomes none. The events seen are in
// golden/qt_events.txt.
#include "harness.h"

#include <QWidget>

namespace {

TEST(QtEvents, WhatTheUserDoesBecomesOneEventAtATime) {
    OpenAppWindow(300, 0, 0, 400, 200, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Main");
    BeginGadgets(WindowHandle(300));
    AddButton(293, 10, 10, 60, 18, "About");
    AddCheckBox(12, 80, 10, 12, 20, "");
    AddLabel(324, 100, 10, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddShortcut(300, KeyF1, 1);
    AddShortcut(300, KeyF1, 7); // the same key again takes the new command
    AddShortcut(300, 'S' | ShortcutCtrl, 9);
    NewPopupMenu(0);
    AddMenuItem(1, "Swap Contents (F1)");
    AddMenuSeparator();
    AddMenuItem(2, "Usage");
    OpenAppWindow(301, 0, 250, 400, 120, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Editor");
    BeginGadgets(WindowHandle(301));
    AddTextField(302, 10, 10, 100, 20, "", ES_CENTER);
    AddLabel(305, 120, 10, 50, 14, "LINE 1:", SS_RIGHT);
    AddButton(309, 10, 40, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    AddTextField(303, 10, 70, 100, 20, "");
    AddFrame(319, 120, 40, 42, 20, "", 2);
    AddButton(321, 200, 40, 60, 20, "Cancel");
    AddButton(322, 270, 40, 60, 20, "OK", BS_DEFPUSHBUTTON);
    AddTextField(304, 120, 70, 100, 20, "");
    SetGadgetHidden(303, 1);
    static_cast<QWidget*>(GadgetWidget(321))->setEnabled(false);

    Text log;
    const auto focus = [&log] { log += "focus on " + std::to_string(FocusedGadget()) + "\n"; };
    Script script;
    script.ClickGadget(293).ClickGadget(12).ClickGadget(12).TypeText(302, "Aé");
    script.ClickGadget(309).ClickGadget(309).Call([] {
        WriteGadgetText(302, "by the program");
        WriteGadgetState(12, 1);
        SetGadgetHidden(302, 1);
        SetGadgetHidden(302, 0);
    });
    for (int tab = 0; tab < 5; ++tab) script.PressTab().Call(focus);
    script.PressShiftTab().Call(focus).PressF1(); // F1 in the wrong window does nothing
    script.ClickGadget(293).PressF1().PressKey('S' | ShortcutCtrl).PressKey('S');
    script.RightClick(293).ChoosePopupItem(2).RightClick(324).DismissPopup();
    script.RightClickAt(300, 300, 150).ChoosePopupItem(1);
    script.CloseWindow(301).PressKey(0x73 | ShortcutAlt).Quit(); // Alt+F4 in window 300
    script.Run([&] {
        for (int code = WaitEvent(); code != QuitEvent; code = WaitEvent()) {
            const int source = EventSource();
            log += std::to_string(code) + " from " + std::to_string(source) + " (" +
                   std::to_string(EventSubtype()) + ") in window " + std::to_string(EventWindow()) +
                   ", state " + std::to_string(ReadGadgetState(source)) + ", text '" +
                   ReadGadgetText(source) + "'\n";
            if (code == RightButtonDownEvent) ShowPopupMenu(0, CurrentWindowHandle());
            EXPECT_NE(WindowHandle(300) * WindowHandle(301), 0) << "a close request closed one";
        }
    });
    EXPECT_TRUE(MatchesGolden(log, BRONDEL_PLATFORM_GOLDEN_DIR "/qt_events.txt"));
}

TEST(QtEvents, AWaitEndsAtOnceWithoutWindowsOrAfterAQuitRequest) {
    EXPECT_EQ(WaitEvent(), QuitEvent);
    OpenAppWindow(300, 0, 0, 100, 100, 0, "Main");
    RequestQuit();
    EXPECT_EQ(WaitEvent(), QuitEvent);
    EXPECT_EQ(WaitEvent(), QuitEvent) << "until the request is cleared";
    ClearQuitRequest();
    CloseAppWindow(300);
    EXPECT_EQ(WaitEvent(), QuitEvent);
    EXPECT_EQ(WindowHandle(300) + CurrentWindowHandle(), 0);
}

} // namespace
