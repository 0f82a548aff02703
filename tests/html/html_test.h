// What the page tests share: the scratch folder of every test, the golden pages, and Boxes set
// up in one line.
#pragma once
#include "chart/chart.h"
#include "html/page.h"
#include "test_files.h"

#include <initializer_list>

namespace htmltest {

using namespace testsupport;
using HtmlTest = ScratchTest;

inline Text GoldenPath(const Text& name) { return TestData("html/golden/" + name); }

// A Box's lines, StyleCodes ("100") and colour in one go; what is not given is emptied.
inline void SetBox(int box, std::initializer_list<const char*> lines,
                   std::initializer_list<const char*> codes = {}, int r = 0, int g = 0, int b = 0) {
    BoxContents c;
    std::copy(lines.begin(), lines.end(), c.lines.begin());
    int line = 0;
    for (const char* code : codes)
        c.bold[line] = code[0] - '0', c.italic[line] = code[1] - '0',
        c.underline[line++] = code[2] - '0';
    c.red = r, c.green = g, c.blue = b;
    WriteBox(box, c);
}

} // namespace htmltest
