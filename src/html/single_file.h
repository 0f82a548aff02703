// The page as one file that travels: the page exactly as WriteChartPage writes it, except that
// every image reference "gfx/NAME.gif" is a data: URI of that image's bytes. No gfx folder is
// written or needed, so a word processor that imports the page embeds its line images.
#pragma once
#include "page.h"

// The page's lines with the images inline. An image's bytes are those of the file
// pageFolder + "gfx/NAME.gif" where it exists (a user's own image set wins), else the
// built-in image's.
std::vector<Text> SingleFilePageLines(const Text& pageFolder);

// Writes the single-file page beside chartFileName (HtmlFileName is set to its path), with the
// statuses of WriteChartPage.
GeneratePageStatus WriteSingleFilePage(const Text& chartFileName);
