// The generated page in a real browser: headless Chromium renders a chart whose lines run
// through empty Boxes (a tee and a straight run in the narrow row, a vertical run, a crossing
// and a bend), and the screenshot's pixels must show every Box colour and every line unbroken
// from Box to Box, 2 pixels thick where the images put it. The screenshot is kept in
// tests/artifacts of the build folder.
#include "html_test.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <queue>
#include <sys/wait.h>
#include <thread>

using namespace htmltest;

namespace {

// Finds a program on PATH; empty when there is none.
Text FindProgram(const char* name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (Text folder; std::getline(folders, folder, ':');) {
        fs::path candidate = fs::path(folder) / name;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    return {};
}

// Runs argv with stdout and stderr thrown away; false when it fails or outlasts the timeout.
bool RunQuietly(const std::vector<Text>& args, std::chrono::seconds timeout) {
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        setpgid(0, 0); // its own group, so that a hung browser goes with all its helpers
        std::vector<char*> argv;
        for (const Text& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Rgb {
    int r, g, b;
};

struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> data;
    Rgb At(int x, int y) const {
        size_t i = 3 * (static_cast<size_t>(y) * width + x);
        return {data[i], data[i + 1], data[i + 2]};
    }
    bool Dark(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        Rgb c = At(x, y);
        return c.r < 100 && c.g < 100 && c.b < 100;
    }
};

// Reads a binary PPM ("P6", 8 bits per channel).
bool ReadPpm(const fs::path& path, Screenshot& shot) {
    Text bytes = Slurp(path);
    std::istringstream in(bytes);
    Text magic;
    int maximum = 0;
    in >> magic >> shot.width >> shot.height >> maximum;
    if (magic != "P6" || maximum != 255 || shot.width <= 0 || shot.height <= 0) return false;
    size_t start = static_cast<size_t>(in.tellg()) + 1;
    size_t size = 3 * static_cast<size_t>(shot.width) * shot.height;
    if (bytes.size() < start + size) return false;
    shot.data.assign(bytes.begin() + start, bytes.begin() + start + size);
    return true;
}

// Cell geometry of the page at its nominal sizes: Box columns 150 wide with connector columns
// of 10 between them; Box rows 40 high (the narrow row 20) with spacer rows of 8 between them.
struct Grid {
    int ox = 0, oy = 0; // top-left corner of Box 188
    int X(int column) const { return ox + 160 * column; }
    int Y(int row) const { return row == 0 ? oy : oy + 48 + (row >= 2 ? 28 + 48 * (row - 2) : 0); }
    int H(int row) const { return row == NarrowRow ? 20 : 40; }
    int LineY(int row) const { return Y(row) + H(row) / 2 - 1; } // first of the two line rows
    int LineX(int column) const { return X(column) + 74; }       // first of the two line columns
};

class BrowserTest : public HtmlTest {
  protected:
    struct Coloured {
        int row, column;
        Rgb colour;
        const char* text;
    };
    // The Boxes with text; everything else is empty.
    const std::vector<Coloured> boxes = {
        {0, 0, {255, 0, 255}, "Origin"},   {0, 1, {255, 204, 153}, "CEO"},
        {1, 3, {204, 255, 204}, "Staff"},  {3, 0, {153, 204, 255}, "West"},
        {4, 1, {255, 255, 153}, "South"},  {4, 2, {204, 153, 255}, "South-East"},
        {1, 5, {255, 153, 153}, "Narrow"},
    };

    void BuildChart() {
        for (const Coloured& b : boxes)
            SetBox(BoxOf(b.row, b.column), {b.text, "second", "third"}, {"100", "010", "001"},
                   b.colour.r, b.colour.g, b.colour.b);
        VConnector[VConnectorOf(0, 1)] = 1; // CEO down into the narrow row: a tee there
        HConnector[HConnectorOf(1, 1)] = 1; // straight through the narrow row
        HConnector[HConnectorOf(1, 2)] = 1; // to Staff
        VConnector[VConnectorOf(1, 1)] = 1; // down through (2, 1)
        VConnector[VConnectorOf(2, 1)] = 1; // into the crossing at (3, 1)
        HConnector[HConnectorOf(3, 0)] = 1; // West
        HConnector[HConnectorOf(3, 1)] = 1; // to the bend at (3, 2)
        VConnector[VConnectorOf(3, 2)] = 1; // South-East
        VConnector[VConnectorOf(3, 1)] = 1; // South
        HConnector[HConnectorOf(4, 1)] = 1; // South to South-East, Box to Box
        HConnector[HConnectorOf(1, 4)] = 1; // Narrow: a line end at (1, 4)
    }

    // Every pixel of a 2-pixel line from (x0, y0) to (x1, y1), inclusive, horizontal or
    // vertical; the second pixel row or column is below or right of the first.
    int Gaps(const Screenshot& shot, int x0, int y0, int x1, int y1) const {
        int gaps = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                bool horizontal = y0 == y1;
                if (!shot.Dark(x, y)) ++gaps;
                if (!shot.Dark(horizontal ? x : x + 1, horizontal ? y + 1 : y)) ++gaps;
            }
        return gaps;
    }
};

TEST_F(BrowserTest, ChromiumShowsColoursAndUnbrokenLines) {
    Text chromium = FindProgram("chromium");
    if (chromium.empty()) chromium = FindProgram("chromium-browser");
    if (chromium.empty()) GTEST_SKIP() << "chromium is not installed: page not rendered";
    Text convert = FindProgram("convert");
    if (convert.empty()) GTEST_SKIP() << "ImageMagick convert is not installed";

    BuildChart();
    ASSERT_EQ(WriteChartPage(Path("route.kpv")), GeneratePageStatus::Done);
    fs::path png = dir / "shot.png", ppm = dir / "shot.ppm";
    ASSERT_TRUE(RunQuietly(
        {chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
         "--no-first-run", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--user-data-dir=" + (dir / "profile").string(),
         "--screenshot=" + png.string(), "--window-size=1200,800", "file://" + HtmlFileName},
        std::chrono::seconds(90)))
        << "chromium failed";
    fs::create_directories(BRONDEL_ARTIFACTS_DIR);
    fs::copy_file(png, fs::path(BRONDEL_ARTIFACTS_DIR) / "page-in-chromium.png",
                  fs::copy_options::overwrite_existing);
    ASSERT_TRUE(RunQuietly({convert, png.string(), "-depth", "8", "ppm:" + ppm.string()},
                           std::chrono::seconds(30)));
    Screenshot shot;
    ASSERT_TRUE(ReadPpm(ppm, shot));
    ASSERT_EQ(shot.width, 1200);
    ASSERT_EQ(shot.height, 800);

    // The table's corner: the first pixel of the Origin Box's colour.
    Grid grid;
    bool found = false;
    for (int y = 0; y < 100 && !found; ++y)
        for (int x = 0; x < 100 && !found; ++x) {
            Rgb c = shot.At(x, y);
            if (c.r == 255 && c.g == 0 && c.b == 255) grid = {x, y}, found = true;
        }
    ASSERT_TRUE(found) << "the Origin Box is not on the screenshot";

    // Box colours at two corners of each cell, away from the text; empty Boxes stay white.
    auto near = [](Rgb a, Rgb b) {
        return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
    };
    for (const Coloured& b : boxes) {
        int x = grid.X(b.column), y = grid.Y(b.row), h = grid.H(b.row);
        for (auto [px, py] : {std::pair{x + 2, y + 1}, std::pair{x + 147, y + h - 2}}) {
            Rgb c = shot.At(px, py);
            EXPECT_TRUE(near(c, b.colour))
                << b.text << " at " << px << "," << py << ": " << c.r << "," << c.g << "," << c.b;
        }
        // Just outside the cell is the page's white.
        EXPECT_TRUE(near(shot.At(x + 2, y + h), {255, 255, 255})) << b.text << " bottom edge";
    }
    EXPECT_TRUE(near(shot.At(grid.X(6) + 10, grid.Y(7) + 10), {255, 255, 255}));

    // The lines, 2 pixels thick, each from the edge of one cell to the edge of another.
    struct Run {
        const char* what;
        int x0, y0, x1, y1;
    } runs[] = {
        {"CEO down to the narrow row", grid.LineX(1), grid.Y(0) + 40, grid.LineX(1),
         grid.LineY(1) + 1},
        {"narrow tee to Staff", grid.LineX(1), grid.LineY(1), grid.X(3) - 1, grid.LineY(1)},
        {"narrow tee down to the crossing", grid.LineX(1), grid.LineY(1), grid.LineX(1),
         grid.LineY(3) + 1},
        {"West to the bend", grid.X(0) + 150, grid.LineY(3), grid.LineX(2) + 1, grid.LineY(3)},
        {"bend down to South-East", grid.LineX(2), grid.LineY(3), grid.LineX(2), grid.Y(4) - 1},
        {"crossing down to South", grid.LineX(1), grid.LineY(3), grid.LineX(1), grid.Y(4) - 1},
        {"South to South-East", grid.X(1) + 150, grid.LineY(4), grid.X(2) - 1, grid.LineY(4)},
        {"Narrow to its line end", grid.LineX(4), grid.LineY(1), grid.X(5) - 1, grid.LineY(1)},
    };
    for (const Run& run : runs)
        EXPECT_EQ(Gaps(shot, run.x0, run.y0, run.x1, run.y1), 0) << run.what;

    // Nothing beyond the lines: the line rows end where the lines end, and the lines are
    // no thicker than 2 pixels.
    EXPECT_FALSE(shot.Dark(grid.LineX(1) - 2, grid.LineY(1)));   // tee has no left arm
    EXPECT_FALSE(shot.Dark(grid.LineX(2) + 3, grid.LineY(3)));   // bend has no right arm
    EXPECT_FALSE(shot.Dark(grid.LineX(2), grid.LineY(3) - 2));   // nor an upper one
    EXPECT_FALSE(shot.Dark(grid.LineX(4) - 2, grid.LineY(1)));   // line end at (1, 4)
    EXPECT_FALSE(shot.Dark(grid.X(0) + 155, grid.LineY(3) - 1)); // above West's line
    EXPECT_FALSE(shot.Dark(grid.X(0) + 155, grid.LineY(3) + 2)); // below it
    EXPECT_FALSE(shot.Dark(grid.LineX(1) - 1, grid.Y(2) + 20));  // left of the vertical run
    EXPECT_FALSE(shot.Dark(grid.LineX(1) + 2, grid.Y(2) + 20));  // right of it
    EXPECT_FALSE(shot.Dark(grid.X(0) + 155, grid.LineY(0)));     // Origin has no line

    // Connected as one drawing: from the line leaving CEO, the dark pixels reach every Box of
    // its route, and not the Boxes outside it.
    std::vector<char> seen(static_cast<size_t>(shot.width) * shot.height, 0);
    std::queue<std::pair<int, int>> next;
    next.push({grid.LineX(1), grid.Y(0) + 40});
    while (!next.empty()) {
        auto [x, y] = next.front();
        next.pop();
        if (!shot.Dark(x, y) || seen[static_cast<size_t>(y) * shot.width + x]) continue;
        seen[static_cast<size_t>(y) * shot.width + x] = 1;
        next.push({x + 1, y});
        next.push({x - 1, y});
        next.push({x, y + 1});
        next.push({x, y - 1});
    }
    auto reached = [&](int x, int y) { return seen[static_cast<size_t>(y) * shot.width + x] != 0; };
    EXPECT_TRUE(reached(grid.X(3) - 1, grid.LineY(1))) << "Staff";
    EXPECT_TRUE(reached(grid.X(0) + 150, grid.LineY(3))) << "West";
    EXPECT_TRUE(reached(grid.LineX(1), grid.Y(4) - 1)) << "South";
    EXPECT_TRUE(reached(grid.LineX(2), grid.Y(4) - 1)) << "South-East";
    EXPECT_FALSE(reached(grid.X(1) + 150, grid.LineY(4))) << "South to South-East is its own line";
    EXPECT_FALSE(reached(grid.X(5) - 1, grid.LineY(1))) << "Narrow's line is its own";
}

} // namespace
