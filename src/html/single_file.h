// The page as one file that travels: the page exactly as WriteChartPage writes it, except that
// every image reference "gfx/NAME.gif" is a data: URI of that image's bytes. No gfx folder is
// written or needed, so a word processor that imports the page embeds its line images.
#pragma once
#include "page.h"

// A file of the user's image set that was not taken, and why.
struct LeftOutImage {
    Text path;
    const char* reason;
};

// The page's lines with the images inline. An image's bytes are those of the file
// pageFolder + "gfx/NAME.gif" where it is a regular file that is a GIF ("GIF87a" or "GIF89a")
// of at most 1 MiB (a user's own image set wins), else the built-in image's; a file of that
// name that is not taken is added to leftOut.
std::vector<Text> SingleFilePageLines(const Text& pageFolder, std::vector<LeftOutImage>& leftOut);

// Writes the single-file page beside chartFileName (HtmlFileName is set to its path), with the
// statuses of WriteChartPage.
GeneratePageStatus WriteSingleFilePage(const Text& chartFileName,
                                       std::vector<LeftOutImage>& leftOut);
