// Gadgets: kinds, exact places, alignment and edges from the flags, texts, states, hiding,
// fonts, and replacement by number across windows.
#include "gui_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

namespace {

template <typename Widget> Widget* As(int number) {
    return qobject_cast<Widget*>(static_cast<QWidget*>(GadgetWidget(number)));
}

using Gadgets = GuiTest;

TEST_F(Gadgets, EachKindIsTheRightWidgetAtItsExactPlace) {
    OpenTestWindow(300);
    AddButton(188, 10, 9, 128, 40, "", BS_MULTILINE);
    AddCheckBox(0, 138, 21, 12, 20, "", BS_CENTER);
    AddLabel(324, 10, 690 - 600, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddTextField(302, 44, 22, 134, 20, "", ES_CENTER);
    AddFrame(319, 183, 85, 42, 20, "", 2);

    ASSERT_NE(As<QPushButton>(188), nullptr);
    ASSERT_NE(As<QCheckBox>(0), nullptr);
    ASSERT_NE(As<QLabel>(324), nullptr);
    ASSERT_NE(As<QLineEdit>(302), nullptr);
    ASSERT_NE(As<QFrame>(319), nullptr);
    EXPECT_EQ(KindOfGadget(188), GadgetKind::Button);
    EXPECT_EQ(KindOfGadget(0), GadgetKind::CheckBox);
    EXPECT_EQ(KindOfGadget(324), GadgetKind::Label);
    EXPECT_EQ(KindOfGadget(302), GadgetKind::TextField);
    EXPECT_EQ(KindOfGadget(319), GadgetKind::Frame);
    EXPECT_EQ(KindOfGadget(1), GadgetKind::None);

    const GadgetBounds box = GadgetRect(188);
    EXPECT_EQ((std::array{box.x, box.y, box.width, box.height}), (std::array{10, 9, 128, 40}));
    const GadgetBounds check = GadgetRect(0);
    EXPECT_EQ((std::array{check.x, check.y, check.width, check.height}),
              (std::array{138, 21, 12, 20}));
    EXPECT_EQ(As<QWidget>(188)->parentWidget(), WindowWidget(300));
    EXPECT_TRUE(As<QWidget>(188)->isVisible());
}

TEST_F(Gadgets, AlignmentAndEdgesFollowTheFlags) {
    OpenTestWindow(300);
    AddCheckBox(5, 0, 0, 12, 20, "", BS_RIGHT);
    AddCheckBox(6, 20, 0, 12, 20, "", BS_CENTER);
    EXPECT_EQ(GadgetFlags(5) & BS_CENTER, BS_RIGHT);
    EXPECT_EQ(GadgetFlags(6) & BS_CENTER, BS_CENTER);

    AddLabel(10, 0, 30, 63, 18, "Swap OFF", SS_CENTER | SUNKEN_EDGE);
    AddLabel(11, -9, 50, 50, 14, "LINE 1:", SS_RIGHT);
    AddLabel(12, 0, 70, 50, 14, "plain");
    EXPECT_TRUE(As<QLabel>(10)->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(As<QLabel>(10)->frameShape(), QFrame::WinPanel);
    EXPECT_EQ(As<QLabel>(10)->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(As<QLabel>(10)->frameWidth(), 2);
    EXPECT_TRUE(As<QLabel>(11)->alignment() & Qt::AlignRight);
    EXPECT_EQ(As<QLabel>(11)->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(GadgetRect(11).x, -9); // partly outside the client area, as placed
    EXPECT_TRUE(As<QLabel>(12)->alignment() & Qt::AlignLeft);

    AddTextField(20, 0, 100, 134, 20, "", ES_CENTER);
    AddTextField(21, 0, 120, 134, 20, "", SUNKEN_EDGE);
    EXPECT_TRUE(As<QLineEdit>(20)->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(As<QLineEdit>(20)->hasFrame());
    EXPECT_FALSE(As<QLineEdit>(21)->hasFrame());

    AddFrame(30, 0, 150, 40, 20, "Group", 0);
    AddFrame(31, 0, 180, 40, 20, "", 1);
    AddFrame(32, 0, 210, 42, 20, "", 2);
    AddFrame(33, 0, 240, 40, 20, "", 7);
    EXPECT_NE(As<QGroupBox>(30), nullptr);
    EXPECT_EQ(As<QFrame>(31)->frameShape(), QFrame::WinPanel);
    EXPECT_EQ(As<QFrame>(32)->frameShape(), QFrame::Panel);
    EXPECT_EQ(As<QFrame>(32)->frameWidth(), 1); // the swatch inside is 40 x 18
    EXPECT_EQ(As<QFrame>(33)->frameShape(), QFrame::Box);
    EXPECT_EQ(ReadGadgetText(30), "Group");
}

TEST_F(Gadgets, TogglesDefaultButtonAndStates) {
    OpenTestWindow(301);
    AddButton(309, 183, 22, 84, 20, "Make Bold", BS_PUSHLIKE | BS_CHECKBOX_AUTO);
    AddButton(322, 355, 85, 84, 20, "OK", BS_DEFPUSHBUTTON);
    AddButton(321, 269, 85, 84, 20, "Cancel");
    AddLabel(305, -9, 24, 50, 14, "LINE 1:", SS_RIGHT);
    AddTextField(302, 44, 22, 134, 20, "abc", ES_CENTER);
    AddCheckBox(7, 0, 0, 12, 12, "");

    EXPECT_TRUE(As<QPushButton>(309)->isCheckable());
    EXPECT_TRUE(As<QPushButton>(322)->isDefault());
    EXPECT_FALSE(As<QPushButton>(321)->isDefault());
    EXPECT_FALSE(As<QPushButton>(321)->isCheckable());

    WriteGadgetState(309, 1);
    EXPECT_EQ(ReadGadgetState(309), 1);
    WriteGadgetState(309, 0);
    EXPECT_EQ(ReadGadgetState(309), 0);
    WriteGadgetState(321, 1); // a plain push button has no state
    EXPECT_EQ(ReadGadgetState(321), 0);
    WriteGadgetState(7, 1);
    EXPECT_EQ(ReadGadgetState(7), 1);
    WriteGadgetState(305, 1);
    WriteGadgetState(302, 1);
    EXPECT_EQ(ReadGadgetState(305), 0);
    EXPECT_EQ(ReadGadgetState(302), 0);
}

TEST_F(Gadgets, TextsAreUtf8BothWays) {
    OpenTestWindow(300);
    AddTextField(302, 0, 0, 134, 20, "Ærø", ES_CENTER);
    AddButton(293, 0, 30, 60, 18, "About");
    AddLabel(324, 0, 60, 63, 18, "Swap OFF", SS_CENTER);
    AddCheckBox(0, 0, 90, 12, 20, "");
    EXPECT_EQ(As<QLineEdit>(302)->text(), QString::fromUtf8("Ærø"));
    EXPECT_EQ(ReadGadgetText(302), "Ærø");
    WriteGadgetText(302, "Grüße € 😀");
    EXPECT_EQ(ReadGadgetText(302), "Grüße € 😀");
    WriteGadgetText(324, "Swap ON");
    EXPECT_EQ(ReadGadgetText(324), "Swap ON");
    EXPECT_EQ(As<QLabel>(324)->text(), "Swap ON");
    EXPECT_EQ(ReadGadgetText(293), "About");
    EXPECT_EQ(ReadGadgetText(0), "");
    const Text longText(40000, 'x'); // nothing is cut
    WriteGadgetText(302, longText);
    EXPECT_EQ(ReadGadgetText(302), longText);
}

TEST_F(Gadgets, NumbersAreUniqueAcrossWindows) {
    OpenTestWindow(300);
    AddButton(7, 0, 0, 50, 20, "first");
    QPointer<QWidget> first = As<QWidget>(7);
    OpenTestWindow(301);
    AddButton(7, 5, 6, 30, 10, "second");
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(As<QWidget>(7)->window(), WindowWidget(301));
    EXPECT_EQ(GadgetRect(7).x, 5);
    EXPECT_EQ(ReadGadgetText(7), "second");

    // Closing a window forgets its gadgets.
    CloseAppWindow(301);
    EXPECT_FALSE(GadgetExists(7));
    EXPECT_EQ(GadgetWidget(7), nullptr);
}

TEST_F(Gadgets, GadgetsNeedAParent) {
    AddButton(1, 0, 0, 10, 10, "orphan");
    EXPECT_FALSE(GadgetExists(1));
    OpenAppWindow(300, 0, 0, 100, 100, 0, "No BeginGadgets yet");
    AddButton(1, 0, 0, 10, 10, "orphan");
    EXPECT_FALSE(GadgetExists(1));
}

TEST_F(Gadgets, HidingKeepsThePlace) {
    OpenTestWindow(300);
    AddButton(188, 10, 9, 128, 40, "");
    SetGadgetHidden(188, 1);
    EXPECT_FALSE(As<QWidget>(188)->isVisible());
    EXPECT_EQ(GadgetRect(188).y, 9);
    SetGadgetHidden(188, 0);
    EXPECT_TRUE(As<QWidget>(188)->isVisible());
}

TEST_F(Gadgets, FontsOfGadgets) {
    const Handle bold = LoadNumberedFont(1, "Tahoma", 8, FONT_BOLD);
    const Handle regular = LoadNumberedFont(2, "Tahoma", 8);
    OpenTestWindow(300);
    AddButton(1, 0, 0, 50, 20, "stock");
    EXPECT_EQ(As<QWidget>(1)->font().pixelSize(), 11);
    EXPECT_FALSE(As<QWidget>(1)->font().bold());

    SetGadgetFontHandle(1, bold);
    EXPECT_TRUE(As<QWidget>(1)->font().bold());
    SetGadgetFontHandle(1, -1); // the stock font again
    EXPECT_FALSE(As<QWidget>(1)->font().bold());

    SetGadgetFontHandle(-1, bold); // default for gadgets made from now on
    AddButton(2, 0, 30, 50, 20, "later");
    EXPECT_TRUE(As<QWidget>(2)->font().bold());
    EXPECT_FALSE(As<QWidget>(1)->font().bold());
    SetGadgetFontHandle(-1, regular);
    AddLabel(3, 0, 60, 50, 20, "regular");
    EXPECT_FALSE(As<QWidget>(3)->font().bold());

    SetGadgetFontHandle(3, 12345); // not a font: nothing changes
    EXPECT_FALSE(As<QWidget>(3)->font().bold());
}

// The style draws a 12-pixel indicator, so 12 x 12 and 12 x 20 check boxes show all of it:
// its right border column is the last column of the gadget, not clipped away.
TEST_F(Gadgets, SmallCheckBoxesShowTheWholeIndicator) {
    OpenTestWindow(300);
    AddCheckBox(90, 10, 10, 12, 12, "");
    AddCheckBox(0, 40, 10, 12, 20, "", BS_CENTER);
    for (int number : {90, 0}) {
        QWidget* box = As<QWidget>(number);
        EXPECT_EQ(box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box), 12);
        EXPECT_EQ(box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box), 12);
        WriteGadgetState(number, 1);
        const QImage shot = box->grab().toImage();
        const int middle = shot.height() / 2;
        const QColor face = QApplication::palette().color(QPalette::Button);
        const QColor leftEdge = shot.pixelColor(0, middle), rightEdge = shot.pixelColor(11, middle);
        EXPECT_LT(leftEdge.lightness(), face.lightness()) << number;
        EXPECT_LT(rightEdge.lightness(), face.lightness()) << number;
        EXPECT_EQ(leftEdge.rgb(), rightEdge.rgb()) << number;
    }
}

} // namespace
