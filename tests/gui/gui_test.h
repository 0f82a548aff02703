// Helpers shared by the platform layer's GUI tests.
#pragma once
#include "harness.h"

#include <gtest/gtest.h>

#include <vector>

// One event as the program saw it when WaitEvent returned it.
struct SeenEvent {
    int code, source, subtype, window;
    bool operator==(const SeenEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SeenEvent& e) {
    return out << "{" << e.code << ", " << e.source << ", " << e.subtype << ", " << e.window << "}";
}

// A program that only collects events until the run ends.
inline std::vector<SeenEvent> CollectEvents(Script& script) {
    std::vector<SeenEvent> seen;
    script.Run([&] {
        for (int code = WaitEvent(); code != QuitEvent; code = WaitEvent())
            seen.push_back({code, EventSource(), EventSubtype(), EventWindow()});
    });
    return seen;
}

// Gadget events only, as (source, subtype) pairs.
inline std::vector<std::pair<int, int>> GadgetEventsOf(const std::vector<SeenEvent>& seen) {
    std::vector<std::pair<int, int>> gadgets;
    for (const SeenEvent& e : seen)
        if (e.code == GadgetEvent) gadgets.emplace_back(e.source, e.subtype);
    return gadgets;
}

// Opens a plain visible window with a title bar and close box and makes it the gadget parent.
inline Handle OpenTestWindow(int number, int x = 0, int y = 0, int width = 400, int height = 300) {
    const Handle handle =
        OpenAppWindow(number, x, y, width, height, WS_CAPTION_BITS | WS_SYSMENU_BIT, "Test");
    BeginGadgets(handle);
    return handle;
}

class GuiTest : public ::testing::Test {
  protected:
    void TearDown() override {
        ReleaseAll();
        ClearQuitRequest();
    }
};
