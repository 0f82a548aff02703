// A paste into the box editor's one-line fields, through the real clipboard: the line ends at
// the pasted text's first line break, and no NUL or line break ever reaches the Chart.
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "platform/gui.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

TEST(Paste, APasteEndsAtItsFirstLineBreakAndNeverBringsANul) {
    ReleaseAll();
    ClearChart();
    Script script;
    script.ClickGadget(202).TypeText(302, "x"); // the box editor, its first line
    for (char16_t end : {u'\n', u'\r', u'\x85', u'\u2028', u'\u2029', u'\0'}) {
        const QString pasted = QStringLiteral("y") + QChar(end) + QStringLiteral("z");
        script.Call([pasted] { QGuiApplication::clipboard()->setText(pasted); })
            .PressKey('V' | ShortcutCtrl);
    }
    script.ClickGadget(322).Quit(); // OK
    char name[] = "brondel", *argv[] = {name, nullptr};
    script.Run([&] { RunBrondel(1, argv); });
    EXPECT_EQ(Line1[202], "xyyyyyy");
}
