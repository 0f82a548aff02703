// Gadgets: push buttons (plain, toggles, default), check boxes, labels, text fields and frames,
// placed at exact client coordinates of the current gadget parent and numbered uniquely across
// all windows. Creating a gadget under a number in use replaces the old one.
#include "qt_state.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace qtlayer {

GadgetEntry* FindGadget(int number) {
    auto it = State().gadgets.find(number);
    if (it == State().gadgets.end() || !it->second.widget) return nullptr;
    return &it->second;
}

int GadgetNumberOf(const QWidget* widget) {
    if (!widget) return -1;
    for (const auto& [number, gadget] : State().gadgets)
        if (gadget.widget == widget) return number;
    return -1;
}

namespace {

// Qt makes an accessibility interface for every widget whose name is set, whether a tool
// listens or not, which costs more than drawing the whole Chart. Names wait in the gadget
// table until a screen reader or another assistive tool starts listening.
class AssistiveToolsObserver : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override {
        State().assistiveToolsListen = active;
        if (!active) return;
        for (auto& [number, gadget] : State().gadgets)
            if (gadget.widget && !gadget.accessibleName.empty())
                gadget.widget->setAccessibleName(QString::fromUtf8(gadget.accessibleName));
    }
};

} // namespace

void FollowAssistiveTools() {
    auto& observer = State().assistiveToolsObserver;
    if (!observer) observer = std::make_unique<AssistiveToolsObserver>();
    QAccessible::installActivationObserver(observer.get());
    if (QAccessible::isActive()) observer->accessibilityActiveChanged(true);
}

void ForgetGadgetsOf(int window) {
    auto& gadgets = State().gadgets;
    for (auto it = gadgets.begin(); it != gadgets.end();)
        it = it->second.window == window ? gadgets.erase(it) : std::next(it);
}

namespace {

constexpr uint32_t ButtonTypeMask = 0xF;
constexpr uint32_t BS_CHECKBOX = 2, BS_3STATE = 5, BS_AUTO3STATE = 6;
constexpr uint32_t BS_LEFTTEXT = 0x20;
constexpr uint32_t ES_RIGHT = 0x2, ES_PASSWORD = 0x20, ES_READONLY = 0x800;
constexpr uint32_t SS_TYPE_MASK = 0x1F, SS_CENTERIMAGE = 0x200, SS_SUNKEN = 0x1000;
constexpr uint32_t FrameSunken = 1, FrameFlatEdge = 2;

bool IsCheckType(uint32_t flags) {
    const uint32_t type = flags & ButtonTypeMask;
    return type == BS_CHECKBOX || type == BS_CHECKBOX_AUTO || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

void DestroyGadget(int number) {
    auto it = State().gadgets.find(number);
    if (it == State().gadgets.end()) return;
    if (WindowEntry* window = FindWindow(it->second.window)) {
        auto& order = window->gadgets;
        order.erase(std::remove(order.begin(), order.end(), number), order.end());
    }
    delete it->second.widget.data();
    State().gadgets.erase(it);
}

// Every gadget starts the same way: in the current gadget parent, at its place, with the
// default gadget font, visible, below the window's canvas.
template <typename Widget>
Widget* PlaceGadget(int number, GadgetKind kind, int x, int y, int width, int height,
                    uint32_t flags) {
    WindowEntry* window = FindWindow(State().gadgetParent);
    if (!window) return nullptr;
    DestroyGadget(number);
    auto* widget = new Widget(window->widget);
    widget->setGeometry(x, y, std::max(width, 0), std::max(height, 0));
    widget->setFont(State().defaultGadgetFont);
    widget->show();
    State().gadgets[number] = GadgetEntry{widget, kind, flags, State().gadgetParent, {}};
    window->gadgets.push_back(number);
    if (window->canvas) window->canvas->raise();
    return widget;
}

// Only these end a line of the chart file or the page; other separators are plain text there.
bool BreaksALine(QChar c) { return c == u'\r' || c == u'\n' || c == u'\0'; }

// Text fields are one line, as they look: what the user types, pastes or drops keeps only its
// text up to its first CR, LF or NUL. What the program puts there is taken as it is; what the
// field held before stays too, so only what arrived, found against it, is cut.
class LineBreakCutter : public QValidator {
  public:
    using QValidator::QValidator;
    void TakeProgramText(const QString& text) const { held_ = text; }
    State validate(QString& text, int& cursor) const override {
        const qsizetype shorter = std::min(text.size(), held_.size());
        qsizetype front = 0, back = 0;
        while (front < shorter && text[front] == held_[front]) ++front;
        while (back < shorter - front &&
               text[text.size() - 1 - back] == held_[held_.size() - 1 - back])
            ++back;
        const QStringView arrived = QStringView(text).mid(front, text.size() - front - back);
        const qsizetype cut =
            std::find_if(arrived.begin(), arrived.end(), BreaksALine) - arrived.begin();
        if (cut < arrived.size()) {
            text = text.left(front + cut) + text.right(back);
            cursor = static_cast<int>(front + cut);
        }
        held_ = text;
        return Acceptable;
    }

  private:
    mutable QString held_;
};

// The program's text for a field, never cut.
void SetFieldText(QLineEdit* field, const QString& text) {
    if (const auto* cutter = dynamic_cast<const LineBreakCutter*>(field->validator()))
        cutter->TakeProgramText(text);
    field->setText(text);
}

void ReportClicks(QAbstractButton* button, int number, int window) {
    QObject::connect(button, &QAbstractButton::clicked,
                     [number, window] { RecordEvent(GadgetEvent, number, BN_CLICKED, window); });
}

void MakeCheckBox(int number, int x, int y, int width, int height, const Text& text,
                  uint32_t flags) {
    auto* box = PlaceGadget<QCheckBox>(number, GadgetKind::CheckBox, x, y, width, height, flags);
    if (!box) return;
    box->setText(QString::fromUtf8(text));
    const uint32_t type = flags & ButtonTypeMask;
    box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
    if (flags & BS_LEFTTEXT) box->setLayoutDirection(Qt::RightToLeft);
    ReportClicks(box, number, State().gadgetParent);
}

} // namespace
} // namespace qtlayer

using namespace qtlayer;

void AddButton(int number, int x, int y, int width, int height, const Text& text, uint32_t flags) {
    QuietScope quiet;
    // Without BS_PUSHLIKE a check type makes a check box, whatever the creating call.
    if (IsCheckType(flags) && !(flags & BS_PUSHLIKE)) {
        MakeCheckBox(number, x, y, width, height, text, flags);
        return;
    }
    auto* button = PlaceGadget<QPushButton>(number, GadgetKind::Button, x, y, width, height, flags);
    if (!button) return;
    button->setText(QString::fromUtf8(text));
    button->setAutoDefault(false);
    if (IsCheckType(flags))
        button->setCheckable(true);
    else if ((flags & ButtonTypeMask) == BS_DEFPUSHBUTTON)
        button->setDefault(true);
    ReportClicks(button, number, State().gadgetParent);
}

void AddCheckBox(int number, int x, int y, int width, int height, const Text& text,
                 uint32_t flags) {
    QuietScope quiet;
    MakeCheckBox(number, x, y, width, height, text, flags);
}

void AddLabel(int number, int x, int y, int width, int height, const Text& text, uint32_t flags) {
    QuietScope quiet;
    auto* label = PlaceGadget<QLabel>(number, GadgetKind::Label, x, y, width, height, flags);
    if (!label) return;
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromUtf8(text));
    const uint32_t type = flags & SS_TYPE_MASK;
    Qt::Alignment alignment = type == SS_CENTER  ? Qt::AlignHCenter
                              : type == SS_RIGHT ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    alignment |= (flags & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(alignment);
    label->setWordWrap(type <= SS_RIGHT && !(flags & SS_CENTERIMAGE));
    label->setIndent(0);
    if (flags & SUNKEN_EDGE)
        label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    else if (flags & SS_SUNKEN)
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void AddTextField(int number, int x, int y, int width, int height, const Text& text,
                  uint32_t flags) {
    QuietScope quiet;
    auto* field = PlaceGadget<QLineEdit>(number, GadgetKind::TextField, x, y, width, height, flags);
    if (!field) return;
    field->setMaxLength(std::numeric_limits<int>::max()); // text of any length is taken whole
    field->setValidator(new LineBreakCutter(field));
    SetFieldText(field, QString::fromUtf8(text));
    field->setAlignment((flags & ES_CENTER)  ? Qt::AlignCenter
                        : (flags & ES_RIGHT) ? (Qt::AlignRight | Qt::AlignVCenter)
                                             : (Qt::AlignLeft | Qt::AlignVCenter));
    field->setFrame(!(flags & SUNKEN_EDGE));
    if (flags & ES_PASSWORD) field->setEchoMode(QLineEdit::Password);
    field->setReadOnly(flags & ES_READONLY);
    field->setCursorPosition(0);
    const int window = State().gadgetParent;
    QObject::connect(field, &QLineEdit::textChanged,
                     [number, window] { RecordEvent(GadgetEvent, number, EN_CHANGE, window); });
    WatchTextField(field);
}

void AddFrame(int number, int x, int y, int width, int height, const Text& text, uint32_t flags) {
    QuietScope quiet;
    if (flags == 0) {
        auto* group = PlaceGadget<QGroupBox>(number, GadgetKind::Frame, x, y, width, height, flags);
        if (group) group->setTitle(QString::fromUtf8(text));
        return;
    }
    auto* frame = PlaceGadget<QFrame>(number, GadgetKind::Frame, x, y, width, height, flags);
    if (!frame) return;
    frame->setProperty("text", QString::fromUtf8(text));
    if (flags == FrameSunken)
        frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    else if (flags == FrameFlatEdge)
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    else
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
}

void SetGadgetFontHandle(int number, Handle font) {
    const QFont* chosen = FontOfHandle(font);
    if (!chosen) return;
    if (number == -1) {
        State().defaultGadgetFont = *chosen;
        return;
    }
    if (GadgetEntry* gadget = FindGadget(number)) gadget->widget->setFont(*chosen);
}

Text ReadGadgetText(int number) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget) return {};
    QWidget* widget = gadget->widget;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        text = label->text();
    else if (auto* field = qobject_cast<QLineEdit*>(widget))
        text = field->text();
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        text = group->title();
    else
        text = widget->property("text").toString();
    return text.toUtf8().toStdString();
}

void WriteGadgetText(int number, const Text& text) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget) return;
    QuietScope quiet;
    QWidget* widget = gadget->widget;
    const QString value = QString::fromUtf8(text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(value);
    else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        SetFieldText(field, value);
        field->setCursorPosition(0);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(value);
    else
        widget->setProperty("text", value);
}

int ReadGadgetState(int number) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget) return 0;
    if (auto* box = qobject_cast<QCheckBox*>(gadget->widget))
        return box->checkState() == Qt::PartiallyChecked ? 2 : box->isChecked() ? 1 : 0;
    if (auto* button = qobject_cast<QAbstractButton*>(gadget->widget))
        return button->isChecked() ? 1 : 0;
    return 0;
}

void WriteGadgetState(int number, int state) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget) return;
    QuietScope quiet;
    if (gadget->kind == GadgetKind::CheckBox) { // every refresh writes all 175 Connectors
        auto* box = static_cast<QCheckBox*>(gadget->widget.data());
        const Qt::CheckState wanted = state == 2 && box->isTristate() ? Qt::PartiallyChecked
                                      : state != 0                    ? Qt::Checked
                                                                      : Qt::Unchecked;
        if (box->checkState() != wanted) box->setCheckState(wanted);
    } else if (auto* button = qobject_cast<QAbstractButton*>(gadget->widget)) {
        button->setChecked(state != 0); // does nothing unless the button is a toggle
    }
}

// A gadget shown again repaints itself: what the canvas held over it goes at the next repaint.
void SetGadgetHidden(int number, int hidden) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget) return;
    QuietScope quiet;
    QWidget* widget = gadget->widget;
    if (hidden) {
        widget->hide();
        return;
    }
    if (!widget->isHidden()) return;
    widget->show();
    if (WindowEntry* window = FindWindow(gadget->window))
        window->pendingClear += widget->geometry();
}

GadgetBounds GadgetRect(int number) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget) return {0, 0, 0, 0};
    const QRect r = gadget->widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

uint32_t GadgetFlags(int number) {
    GadgetEntry* gadget = FindGadget(number);
    return gadget ? gadget->flags : 0;
}

int FocusedGadget() { return GadgetNumberOf(QApplication::focusWidget()); }

void SetGadgetAccessibleName(int number, const Text& name) {
    GadgetEntry* gadget = FindGadget(number);
    if (!gadget || gadget->accessibleName == name) return;
    gadget->accessibleName = name;
    if (State().assistiveToolsListen) gadget->widget->setAccessibleName(QString::fromUtf8(name));
}
