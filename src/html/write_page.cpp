// Writing a generation to disk: the images missing beside the page, then the page itself
// through a temporary file, so that a failed generation leaves the previous page untouched.
#include "image_names.h"
#include "image_set.h"
#include "page.h"
#include "system/files.h"

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
    fs::path folder = PathOfText(pageFolder) / ImageFolder;
    std::error_code error;
    fs::create_directory(folder, error);
    if (!fs::is_directory(folder, error)) return false;
    bool ok = true, wrote = false;
    for (size_t i = 0; i < ImageSetSize; ++i) {
        fs::path file = folder / ImageSet[i].fileName;
        // Anything already there under the name, even a dangling link, is the user's and stays,
        // and so is a file that takes the name while the image is being written.
        if (fs::symlink_status(file, error).type() != fs::file_type::not_found) continue;
        SafeFileWriter writer;
        if (!writer.Open(TextOfPath(file), Placement::KeepExisting)) {
            ok = false;
            continue;
        }
        writer.Write(reinterpret_cast<const char*>(ImageSet[i].bytes), ImageSet[i].size);
        ok = writer.Commit(false) && ok;
        wrote = true;
    }
    return (!wrote || SyncFolder(TextOfPath(folder))) && ok; // one sync for all of them
}

GeneratePageStatus WriteChartPage(const Text& chartFileName) {
    if (chartFileName.empty()) return GeneratePageStatus::NoChart;
    HtmlFileName = HtmlFileNameOf(chartFileName);
    // The page is created first, so that a page that may not be replaced is refused before
    // anything is written; its images go in place before it: a page is only worth putting in
    // place when its pictures are there.
    if (!FileCreate(PageFileNumber, HtmlFileName)) return GeneratePageStatus::CannotCreate;
    // A page reached through a link shows its pictures both where it is named and where it is.
    const Text named = PathFolder(HtmlFileName), real = PathFolder(FollowLinks(HtmlFileName));
    if (!WriteMissingImages(named) || (real != named && !WriteMissingImages(real))) {
        CloseAllFiles();
        return GeneratePageStatus::CannotCreate;
    }
    for (const Text& line : ChartPageLines()) FileWriteLine(line);
    if (!FileClose(PageFileNumber)) return GeneratePageStatus::CannotCreate;
    return GeneratePageStatus::Done;
}
