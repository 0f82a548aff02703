// HTML chart generation: the page of the Chart, the connector images in its cells, and the
// image set that the page refers to. Plain C++ (brondel_core); the editor's "Generate Chart"
// command (GenerateChart, editor.h) and brondel-generate are built on WriteChartPage.
#pragma once
#include "chart/chart.h"
#include "system/text.h"

#include <vector>

inline constexpr const char* NoChartMessage = "You need to LOAD or SAVE a CHART first!";
inline constexpr const char* GenerateFailedMessage =
    "Could not generate chart. File already open or damaged?";
inline constexpr const char* GenerateErrorCaption = "Error!";
// After a page was written that the desktop could not open (the editor's message, and
// brondel-generate --open's word on stderr).
inline Text PageNotOpenedMessage(const Text& page) {
    return "The chart page was written to " + page + ", but no program could open it.";
}
inline constexpr int PageFileNumber = 323;

// ---- Working tables, indexed by slot; empty between generations ---------------------------
extern SlotTable<Text> BoxColourText;                               // RRGGBB of each Box
extern SlotTable<Text> LineOpenTag1, LineOpenTag2, LineOpenTag3;    // markup before each line
extern SlotTable<Text> LineCloseTag1, LineCloseTag2, LineCloseTag3; // markup after each line
extern SlotTable<Text> CellLeadIn; // font tag for a Box with text, junction image for an empty one
extern SlotTable<Text> CellClose;  // "</font>" for a Box with text
extern SlotTable<Text> HConnectorImage; // cell right of a Box (slots 0..83)
extern SlotTable<Text> VConnectorImage; // cell below a Box (slots 90..180)
extern Text HtmlFileName;               // full path of the page being written

// ---- Connector image selection --------------------------------------------------------------
void ComputeConnectorImages();   // step 1: line images of every ticked Connector
void ComputeNarrowRowImages();   // step 2: the narrow row's thinner line when it holds an empty Box
void ComputeJunctionImages();    // step 3: the junction image of every empty Box
Text ImageTag(const char* name); // "<img src=gfx/strek_NAME.gif>"

// ---- The page ---------------------------------------------------------------------------------
void ComputeBoxTags();     // colour text and the six line tags of every Box
void ComputeFontTags();    // font tags of every Box with text
void EmptyWorkingTables(); // every working table but the connector images back to empty
void ComputePageTables();  // every working table, as a generation fills them
Text BoxColourOf(int box); // six (or more) upper-case hex digits, black shown as FFFFFF
// & < > and, unless told otherwise, " as character references: the one escaping of markup.
Text EscapeBoxText(const Text& text, bool quotes = true);

// A line's style on the page by its StyleCode; none for "000" and for every code outside the
// eight, which the page shows plain.
struct LineStyle {
    const char* code;
    bool bold, italic, underline;
    const char* open;
    const char* close; // lines 1 and 2 add a line break after it
};
const LineStyle* LineStyleOf(const Text& styleCode);

// Box texts are UTF-8; a page holding any byte above 127 starts with this mark so that browsers
// read it as UTF-8 however it reaches them. An all-ASCII page has none.
inline constexpr const char* Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The 442 lines of the page (without line ends, the first one after the byte-order mark when
// there is one), rendered from the Chart as it is now. Runs every step of a generation and
// leaves the working tables empty again.
std::vector<Text> ChartPageLines();
Text BuildChartPage(); // the page's bytes: every line ended by CR LF
// A chart's name without its ".kpv" (in any letter case); a name without one stays whole, so
// that what is written after it lands beside the chart under the chart's own name.
Text ChartNameStem(const Text& chartFileName);
Text HtmlFileNameOf(const Text& chartFileName); // the stem + ".html"

enum class GeneratePageStatus {
    Done,         // the page (and any missing image) is written; HtmlFileName is its path
    NoChart,      // no chart file name: nothing written       -> NoChartMessage
    CannotCreate, // page or images could not be written whole -> GenerateFailedMessage;
                  // an existing page is left as it was
};
const char* GeneratePageMessage(GeneratePageStatus status); // "" for Done

// Writes the page of the Chart beside chartFileName (HtmlFileName is set to its path) and the
// images missing from the "gfx" folder beside it. The page replaces an old one only when every
// byte was written.
GeneratePageStatus WriteChartPage(const Text& chartFileName);

// Writes each image of the set that is not yet in pageFolder + "gfx", creating that folder.
// Existing files are never replaced. False when any missing image could not be written.
bool WriteMissingImages(const Text& pageFolder);
