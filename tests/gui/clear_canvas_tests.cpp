// Clearing a whole window's canvas, and the names that gadgets give assistive technology.
#include "gui_test.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QWidget>

namespace {

constexpr uint32_t Transparent = 0, OpaqueBlack = 0xFF000000;

class ClearCanvas : public GuiTest {
  protected:
    void SetUp() override {
        handle = OpenTestWindow(300);
        OpenTestWindow(301, 450, 0);
    }
    // Painted pixels of the window's canvas.
    static int Ink(int window) {
        int ink = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) ink += (CanvasPixel(window, x, y) >> 24) != 0;
        return ink;
    }
    Handle handle = 0;
};

TEST_F(ClearCanvas, TakesEverythingOffOneWindowOnly) {
    for (Handle window : {handle, WindowHandle(301)}) {
        BeginDrawing(window);
        FillRect(0, 0, 400, 300, 0xFF);
        SetDrawingMode(1);
        SetDrawingFont(-1);
        MoveTextCursor(380, 280); // text running over the window's edge
        DrawTextAtCursor("Overhang");
        EndDrawing();
    }
    ClearWindowCanvas(300);
    EXPECT_EQ(Ink(300), 0);
    EXPECT_EQ(Ink(301), 400 * 300);

    // The window shows its gadgets plain again.
    AddButton(188, 10, 10, 128, 40, "");
    QApplication::processEvents();
    auto* window = static_cast<QWidget*>(WindowWidget(300));
    const QImage shown = window->grab().toImage();
    const int r = qRound(shown.devicePixelRatio());
    EXPECT_NE(shown.pixel(200 * r, 200 * r), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(200 * r, 200 * r), window->palette().color(QPalette::Button).rgb());
}

TEST_F(ClearCanvas, WorksInTheMiddleOfADrawingWhichGoesOn) {
    BeginDrawing(handle);
    FillRect(10, 10, 50, 50, 0xFF);
    ClearWindowCanvas(300);
    FillRect(100, 100, 2, 2, 0);
    EndDrawing();
    EXPECT_EQ(CanvasPixel(300, 10, 10), Transparent);
    EXPECT_EQ(CanvasPixel(300, 100, 100), OpaqueBlack);
    EXPECT_EQ(Ink(300), 4);
}

// A gadget re-shown before the clear has nothing left to clear: what is drawn after the clear
// stays at the next repaint.
TEST_F(ClearCanvas, LeavesNoClearOfReShownGadgetsPending) {
    AddButton(188, 10, 10, 128, 40, "");
    SetGadgetHidden(188, 1);
    SetGadgetHidden(188, 0);
    ClearWindowCanvas(300);
    BeginDrawing(handle);
    FillRect(11, 11, 125, 37, 0);
    EndDrawing();
    RepaintNow(300);
    EXPECT_EQ(CanvasPixel(300, 20, 20), OpaqueBlack);
}

class AccessibleName : public GuiTest {};

TEST_F(AccessibleName, IsWhatAssistiveTechnologyReadsAndFollowsChanges) {
    OpenTestWindow(300);
    AddButton(188, 10, 10, 128, 40, "", BS_MULTILINE);
    AddCheckBox(0, 140, 20, 12, 20, "");
    auto* button = static_cast<QWidget*>(GadgetWidget(188));
    auto spoken = [](QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name).toStdString() : std::string("(none)");
    };
    const Text name = "Sales, K\xC3\xB8"
                      "benhavn (row 3, column 2)"; // not ASCII
    SetGadgetAccessibleName(188, name);
    SetGadgetAccessibleName(0, "Link");
    EXPECT_EQ(spoken(button), name);
    EXPECT_EQ(spoken(static_cast<QWidget*>(GadgetWidget(0))), "Link");
    EXPECT_EQ(ReadGadgetText(188), ""); // the button shows no caption for it
    SetGadgetAccessibleName(188, "Empty box (row 3, column 2)");
    EXPECT_EQ(spoken(button), "Empty box (row 3, column 2)");
    SetGadgetAccessibleName(999, "no such gadget"); // nothing happens
}

} // namespace
