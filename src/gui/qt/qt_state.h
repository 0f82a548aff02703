// Private state of the Qt backend: the window, gadget, font and menu tables, the event queue,
// the drawing pass and its text caches, the kept dialogs and the application's arguments, all
// in one PlatformState shared by the qt_*.cpp files and nothing else.
#pragma once
#include "gui/event_queue.h"
#include "gui/gui.h"

#include <QAccessible>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QRegion>
#include <QStaticText>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QColorDialog;
class QDialog;
class QFileDialog;
class QMenu;
class QStyle;

namespace qtlayer {

using namespace guievents;

// A numbered top-level window. Its close box only reports a close event.
class AppWindow : public QWidget {
  public:
    explicit AppWindow(int number);
    int Number() const { return number_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    int number_;
};

// The retained drawing surface of a window: a transparent image shown above the gadgets by a
// widget that lets every mouse event through to what lies below.
class CanvasOverlay : public QWidget {
  public:
    explicit CanvasOverlay(QWidget* window);
    QImage image;
    void FollowDevicePixelRatio();

  protected:
    void paintEvent(QPaintEvent* event) override;
};

struct ShortcutEntry {
    int key;     // virtual-key code | ShortcutShift | ShortcutCtrl | ShortcutAlt
    int command; // 1212 and 1213 move the focus; any other becomes a menu event
};
constexpr int NextGadgetCommand = 1212, PreviousGadgetCommand = 1213;

struct WindowEntry {
    QPointer<QWidget> widget; // the AppWindow; QWidget so that no downcast happens while it dies
    QPointer<CanvasOverlay> canvas;
    std::vector<ShortcutEntry> shortcuts;
    std::vector<int> gadgets; // creation order, which is the order of focus movement
    QRegion pendingClear;     // rectangles of re-shown gadgets, cleared at the next repaint
    bool topmost = false;
};

enum class GadgetKind { None, Button, CheckBox, Label, TextField, Frame };

struct GadgetEntry {
    QPointer<QWidget> widget;
    GadgetKind kind = GadgetKind::None;
    uint32_t flags = 0;
    int window = -1;
    Text accessibleName; // handed to the widget while assistive tools listen
};

// The one drawing pass in progress (qt_drawing.cpp).
struct DrawingPass {
    int window = -1; // -1: no drawing in progress
    QPainter painter;
    uint32_t mode = 0;
    QColor pen = Qt::black, brush = Qt::black, text = Qt::black;
    QColor painterPen; // what the painter draws text in; invalid: not set in this pass
    QFont font;
    Handle fontHandle = -1; // names the font in the text caches
    QPoint position;
    QRect dirty;
};

struct LineMetrics {
    int ascent, height;
    qreal underlineY, underlineWidth; // below the baseline, as Qt places a text's underline
};

struct ShapedText {
    int width = 0;
    qreal advance = -1; // unrounded, for the underline; -1: the text is drawn whole
    QStaticText glyphs;
};

// What text costs to measure and shape, kept from one drawing pass to the next: the Chart is
// drawn again and again with the same lines in the same few fonts.
struct TextCaches {
    std::unordered_map<Handle, LineMetrics> metrics;
    std::unordered_map<Handle, QFont> glyphFonts;       // without underline: drawn apart
    std::unordered_map<std::string, ShapedText> shaped; // by font handle and text
    std::string key;                                    // kept, so a lookup allocates nothing
    std::string lastKey;              // a line is measured, then drawn: the second lookup
    ShapedText* lastShaped = nullptr; // finds the text of the first
};

// The arguments the QApplication keeps a reference to for its whole life.
struct ApplicationArguments {
    int count = 0;
    std::vector<std::vector<char>> storage;
    std::vector<char*> pointers;
};

struct PlatformState {
    std::map<int, WindowEntry> windows;
    std::unordered_map<int, GadgetEntry> gadgets; // looked up for every Box on every refresh
    int currentWindow = -1;
    int gadgetParent = -1;
    QFont stockGadgetFont;   // what font handle -1 stands for
    QFont defaultGadgetFont; // what new gadgets receive

    bool assistiveToolsListen = false;
    std::function<RequesterAnswer(const RequesterCall&)> requesterHook;

    std::map<int, std::unique_ptr<QFont>> fonts;
    QFont systemFont; // what font handle -1 stands for when drawing
    std::map<int, QMenu*> menus;
    int currentMenu = -1;

    DrawingPass drawing;
    TextCaches texts;

    struct {
        ulong time = 0;
        QPointF place;
    } lastRightPress; // one press reaches several widgets: it counts once
    QObject* focusWatcher = nullptr;
    std::unique_ptr<QAccessible::ActivationObserver> assistiveToolsObserver;

    // Qt's dialogs write a settings file of their own when destroyed: each is made once and
    // kept until the process ends.
    QFileDialog* fileDialog = nullptr;
    QFileDialog* pictureDialog = nullptr;
    QColorDialog* colourDialog = nullptr;

    ApplicationArguments arguments;
    QSize largestWindow; // the client size the scale must fit on the screen
    std::optional<QPalette> palette;
    bool prepared = false;
};
PlatformState& State();

// qt_windows.cpp
WindowEntry* FindWindow(int number);
int WindowNumberOf(const QWidget* widget); // a program window or a widget inside one; -1
int WindowNumberOfHandle(Handle handle);
void BringToFront(QWidget* window, bool activate);

// qt_gadgets.cpp
GadgetEntry* FindGadget(int number);
int GadgetNumberOf(const QWidget* widget); // -1: no gadget
void FollowAssistiveTools();
void ForgetGadgetsOf(int window);

// qt_events.cpp (the queue itself is gui/event_queue.h's)
void InstallInputFilter();
void MoveFocus(int window, bool backwards);
void WatchTextField(QWidget* field);

// qt_drawing.cpp
CanvasOverlay* CreateCanvas(AppWindow* window);
void ApplyPendingClears(int window);
void ApplyAllPendingClears();
void EndDrawingOn(int window);
void ForgetTextWidths(); // fonts changed: measured widths may no longer hold

// qt_fonts.cpp
void PrepareFonts();
const QFont* FontOfHandle(Handle handle); // nullptr unless a loaded font or -1 (stock)
const QFont& SystemFont();
// How many times more bold text is drawn, each one device pixel further right.
int ExtraBoldPasses(const QPainter& painter);
// Draws text through draw(), emboldened further where Qt's own bold is too light at the scale.
template <typename Draw> void DrawBoldEnough(QPainter& painter, const Draw& draw) {
    draw();
    const int passes = ExtraBoldPasses(painter);
    const qreal ratio = passes ? painter.device()->devicePixelRatioF() : 1;
    for (int extra = 1; extra <= passes; ++extra) {
        painter.save();
        painter.translate(extra / ratio, 0);
        draw();
        painter.restore();
    }
}
void FreeFonts();

// qt_menus.cpp
void FreeMenus();

// qt_scale.cpp
void CreateFittingApplication(int& argc, char** argv); // the QApplication, at a scale that fits

// qt_style.cpp
QStyle* CreatePlatformStyle();
const QPalette& FixedPalette(); // the light palette of every window, whatever the theme

// qt_requesters.cpp
void PrepareRequesters();
// Shows a dialog made once and kept until the process ends (Qt's file and colour dialogs write
// a settings file of Qt's own when destroyed) application-modal over its owner.
int ExecOver(QDialog& dialog, QWidget* owner);

} // namespace qtlayer
