// Shared set-up of the editor's tests: the whole editor (start-up, loop, commands) run on the
// real Qt platform layer with a scripted user, a scratch folder for charts, and no settings
// file left beside the test program.
#pragma once
#include "chart/chart.h"
#include "editor/editor.h"
#include "harness.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

constexpr int Field1 = 302, ColourButton = 318, CancelButton = 321, OkButton = 322, NewButton = 294,
              LoadButton = 295, SaveButton = 296, GenerateButton = 298, ExitButton = 299;

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the editor as started from its command line, with the script as its user.
    int RunEditor(Script& script);
    Text Path(const Text& name) const { return (folder / name).string(); }
    fs::path folder, settings;
};

using Colour = std::array<int32_t, 3>;
inline Colour ColourOf(int box) { return {Red[box], Green[box], Blue[box]}; }
// Lines, colour and the StyleCodes of lines 1 to 3 joined ("100010" for a bold first line and
// an italic second one; missing lines are "000").
void SetBox(int box, const std::array<Text, 3>& lines, Colour colour, const Text& styles = "");

// Pixel of the main window's canvas relative to a Box's top-left corner (0xAARRGGBB).
uint32_t BoxPixel(int box, int x, int y);
constexpr uint32_t Opaque(int red, int green, int blue) {
    return 0xFF000000u | uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
}

// Every requester the script answered, one line each: kind | caption | text | default file |
// pattern | flags.
Text Asked(const Script& script);

// A file of golden/.
inline std::string Golden(const char* name) {
    return BRONDEL_EDITOR_GOLDEN_DIR "/" + std::string(name);
}
