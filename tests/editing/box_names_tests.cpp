// Box names for screen readers: every Box button is named by the lines it shows and by its row
// and column, after a refresh and live while the box editor changes it.
#include "editing_test.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include <string>

namespace {

constexpr int Field1 = 302, Field2 = 303, OkButton = 322;

// What assistive technology is told about the Box button.
std::string SpokenName(int box) {
    auto* widget = static_cast<QWidget*>(GadgetWidget(box));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face) return "(no accessible interface)";
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), widget->accessibleName());
    return face->text(QAccessible::Name).toStdString();
}

} // namespace

TEST_F(EditorTest, RefreshNamesEveryBoxByItsLinesAndPlace) {
    const int sales = BoxOf(2, 1); // the third row from the top, second column
    Line1[sales] = "Sales";
    Line3[sales] = "Board"; // an empty line in between is not read out
    Line1[BoxOf(NarrowRow, 0)] = "Title";
    Line2[BoxOf(13, 6)] = "Caf\xC3\xA9"; // only a second line, not ASCII
    Red[BoxOf(5, 3)] = 200;              // coloured, but without text
    RefreshChart();

    EXPECT_EQ(SpokenName(sales), "Sales, Board (row 3, column 2)");
    EXPECT_EQ(SpokenName(BoxOf(NarrowRow, 0)), "Title (row 2, column 1)");
    EXPECT_EQ(SpokenName(BoxOf(13, 6)), "Caf\xC3\xA9 (row 14, column 7)");
    EXPECT_EQ(SpokenName(BoxOf(5, 3)), "Empty box (row 6, column 4)");
    EXPECT_EQ(SpokenName(FirstBox), "Empty box (row 1, column 1)");
    for (int box = FirstBox; box <= LastBox; ++box) {
        const std::string place = " (row " + std::to_string(RowOfBox(box) + 1) + ", column " +
                                  std::to_string(ColumnOfBox(box) + 1) + ")";
        const std::string name = SpokenName(box);
        ASSERT_GE(name.size(), place.size()) << box;
        EXPECT_EQ(name.substr(name.size() - place.size()), place) << box;
    }

    // Names follow the Chart at the next refresh, emptied Boxes included.
    Line1[sales].clear();
    Line3[sales] = "Board of directors";
    Line1[BoxOf(NarrowRow, 0)].clear();
    RefreshChart();
    EXPECT_EQ(SpokenName(sales), "Board of directors (row 3, column 2)");
    EXPECT_EQ(SpokenName(BoxOf(NarrowRow, 0)), "Empty box (row 2, column 1)");
}

TEST_F(EditorTest, BoxEditorRenamesItsBoxAsTheUserTypes) {
    const int box = BoxOf(4, 2);
    Script script;
    script.TypeText(Field1, "Sales")
        .Call([&] { EXPECT_EQ(SpokenName(box), "Sales (row 5, column 3)"); })
        .TypeText(Field2, "North")
        .Call([&] { EXPECT_EQ(SpokenName(box), "Sales, North (row 5, column 3)"); })
        .ClickGadget(OkButton);
    EditWithScript(script, box, [&] {
        RefreshChart();
        EXPECT_EQ(SpokenName(box), "Sales, North (row 5, column 3)");
    });
    EXPECT_EQ(Line2[box], "North");
}
