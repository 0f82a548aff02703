// A scripted user for tests that drive the real program logic on the real platform layer (Qt
// offscreen, or Win32 under Wine). Each time the program is about to block in WaitEvent with no
// event queued, the script performs its next step on the real widgets, through the backend's
// half of the user (harness_qt.cpp, harness_win32.cpp): clicks go to the real window at the
// gadget's place, so a modal window refuses them like a real click; keys go to the active
// window. Requesters do not open: they take their answers, in order, from the answer queue, and
// every call is recorded.
//
// A step that cannot be done (a hidden gadget, no popup menu open, no answer left) fails the
// test with a message naming the step and ends the run: WaitEvent returns QuitEvent from then
// on. So does a program that waits again once the script has run out of steps, so a test never
// hangs. Quit() ends the run on purpose. With BRONDEL_TRACE=1 in the environment each step's
// number is printed as it starts.
//
//   Script script;
//   script.ClickGadget(202)             // Box 202: the box editor opens
//       .TypeText(302, "Sales")         // five keystrokes, five text changes
//       .Call([] { EXPECT_EQ(Line1[202], "Sales"); })
//       .ClickGadget(322)               // OK
//       .ClickGadget(299)               // "Exit Brondel" ...
//       .AnswerMessage(IDYES);          // ... and Yes to the question
//   script.Run([&] { RunBrondel(argc, argv); });
//   EXPECT_EQ(script.Requests().at(0).text, "Do you really want to exit?");
//
// Link brondel_test_harness_main for a main() that prepares the backend for tests and calls
// PreparePlatform before the tests run.
#pragma once
#include "gui/gui.h"
#include "gui/gui_probe.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class Script {
  public:
    // ---- Steps, performed one per wait of the program, in order ----
    Script& ClickGadget(int number) { return Add(Click(number, -1, 0, 0, false)); } // its centre
    Script& RightClick(int number) { return Add(Click(number, -1, 0, 0, true)); }
    Script& RightClickAt(int window, int x, int y) { return Add(Click(-1, window, x, y, true)); }
    Script& TypeText(int number, const Text& text); // click into the field, End, then one step
                                                    // per character (each one text change)
    Script& ClearText(int number) {                 // click into the field, select all, Backspace
        return ClickGadget(number).PressKey(ShortcutCtrl | 'A').PressKey(0x08);
    }
    // A virtual key | ShortcutShift/Ctrl/Alt, sent to the active window.
    Script& PressKey(int key);
    Script& PressF1() { return PressKey(KeyF1); }
    Script& PressTab() { return PressKey(0x09); }
    Script& PressShiftTab() { return PressKey(0x09 | ShortcutShift); }
    Script& CloseWindow(int window);             // the window's close box
    Script& ChoosePopupItem(int id);             // click the item of the open popup menu
    Script& DismissPopup();                      // Escape on the open popup menu
    Script& Call(std::function<void()> action);  // checks or anything else between steps
    Script& Quit() { return Call(RequestQuit); } // end the run here, on purpose

    // ---- Answers for requesters, taken in order whenever the program asks: IDOK, IDYES or
    // IDNO; a colour 0x00BBGGRR or -1 for Cancel; a path, or empty text for Cancel ----
    Script& AnswerMessage(int answer) { return Answer("message", {answer, {}}); }
    Script& AnswerColour(int32_t colour) { return Answer("colour", {colour, {}}); }
    Script& AnswerOpen(const Text& path) { return Answer("open", {0, path}); }
    Script& AnswerSave(const Text& path) { return Answer("save", {0, path}); }

    // Runs the program with this script as its user, then releases every window, font and
    // file of the platform layer (ReleaseAll), so the next run starts clean. Fails the test
    // when steps or answers are left over.
    void Run(const std::function<void()>& program);

    const std::vector<RequesterCall>& Requests() const { return requests_; }

  private:
    // A step returns why it could not be done, or an empty text when it was done.
    using Step = std::function<std::string()>;
    // A left or right click on a gadget's centre, or at a point of a window.
    static Step Click(int gadget, int window, int x, int y, bool right);
    Script& Add(Step step) { return steps_.push_back(std::move(step)), *this; }
    Script& Answer(Text kind, RequesterAnswer a) { return answers_.emplace_back(kind, a), *this; }
    void NextStep();
    RequesterAnswer Respond(const RequesterCall& call);
    void Stop(const std::string& message);

    std::deque<Step> steps_;
    std::deque<std::pair<Text, RequesterAnswer>> answers_; // (requester kind, answer)
    std::vector<RequesterCall> requests_;
    size_t done_ = 0;
    bool stopped_ = false;
};

// What each backend's half of the user does on the real windows: an action returns why it could
// not be done, or an empty text when it was done. Keys are virtual keys | ShortcutShift/Ctrl/Alt.
namespace userhalf {
std::string Click(int gadget, int window, int x, int y, bool right); // gadget -1: at x, y
std::string Press(int key);                         // to the focus of the active window
std::string Type(int field, const Text& character); // one character, typed into the field
std::string Close(int window);                      // its close box
std::string ChooseItem(int id, int position);       // of the open popup menu; position in it
std::string DismissPopup();                         // Escape on the open popup menu
} // namespace userhalf

// The main() of the test programs calls this first: the backend's settings for tests.
void PrepareScriptedUser(const char* program);
void ListenLikeAScreenReader(); // gadgets then carry the names a screen reader reads
void SetClipboardText(const Text& text);
Text ClipboardData(const Text& mimeType);          // what the clipboard holds in that form
Picture PictureOfPng(const Text& bytes);           // empty when it is no PNG
bool WaitUntil(const std::function<bool()>& done); // handling events meanwhile, for seconds

// A window as the screen shows it, gadgets and canvas, against a golden PNG file (where the
// text renderer is not Qt's, only the canvas outside its text: what the logic draws); a text
// against a golden text file. With BRONDEL_UPDATE_GOLDEN=1 in the environment they write the
// golden file instead. A picture that differs is left in the build's tests/artifacts.
::testing::AssertionResult LooksLikeGolden(int window, const std::string& golden);
::testing::AssertionResult MatchesGolden(const Text& text, const std::string& golden);
