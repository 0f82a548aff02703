// Writing a generation to disk: the images missing beside the page, then the page itself
// through a temporary file, so that a failed generation leaves the previous page untouched.
#include "image_names.h"
#include "image_set.h"
#include "page.h"
#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

const char* GeneratePageMessage(GeneratePageStatus status) {
    switch (status) {
    case GeneratePageStatus::NoChart:
        return NoChartMessage;
    case GeneratePageStatus::CannotCreate:
        return GenerateFailedMessage;
    case GeneratePageStatus::Done:
        break;
    }
    return "";
}

bool WriteMissingImages(const Text& pageFolder) {
    fs::path folder = fs::path(pageFolder) / ImageFolder;
    std::error_code error;
    fs::create_directory(folder, error);
    if (!fs::is_directory(folder, error)) return false;
    bool ok = true;
    for (size_t i = 0; i < ImageSetSize; ++i) {
        fs::path file = folder / ImageSet[i].fileName;
        // Anything already there under the name, even a dangling link, is the user's and stays.
        if (fs::symlink_status(file, error).type() != fs::file_type::not_found) continue;
        SafeFileWriter writer;
        if (!writer.Open(file.string())) {
            ok = false;
            continue;
        }
        writer.Write(reinterpret_cast<const char*>(ImageSet[i].bytes), ImageSet[i].size);
        ok = writer.Commit() && ok;
    }
    return ok;
}

// An existing page that may not be written (read-only, a folder) is refused as creating it in
// place would be: the rename of the finished temporary file would not ask.
static bool MayReplace(const Text& path) {
    std::error_code error;
    if (fs::symlink_status(path, error).type() == fs::file_type::not_found) return true;
    std::FILE* probe = std::fopen(path.c_str(), "r+b");
    if (!probe) return false;
    std::fclose(probe);
    return true;
}

GeneratePageStatus WriteChartPage(const Text& chartFileName) {
    if (chartFileName.empty()) return GeneratePageStatus::NoChart;
    HtmlFileName = HtmlFileNameOf(chartFileName);
    if (!MayReplace(HtmlFileName)) return GeneratePageStatus::CannotCreate;
    // The images first: a page is only worth putting in place when its pictures are there.
    if (!WriteMissingImages(PathFolder(HtmlFileName))) return GeneratePageStatus::CannotCreate;
    if (!FileCreate(PageFileNumber, HtmlFileName)) return GeneratePageStatus::CannotCreate;
    for (const Text& line : ChartPageLines()) FileWriteLine(line);
    if (!FileClose(PageFileNumber)) return GeneratePageStatus::CannotCreate;
    return GeneratePageStatus::Done;
}
