// The single-file page: the page's lines, each image reference replaced by a data: URI (base64
// GIF). Each distinct image is read and encoded once per page.
#include "single_file.h"
#include "image_names.h"
#include "image_set.h"
#include "system/files.h"

#include <filesystem>
#include <map>

namespace {

Text Base64(const Text& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    Text encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        encoded += digits[group >> 18];
        encoded += digits[(group >> 12) & 63];
        encoded += i + 1 < bytes.size() ? digits[(group >> 6) & 63] : '=';
        encoded += i + 2 < bytes.size() ? digits[group & 63] : '=';
    }
    return encoded;
}

// A page meant to be passed on takes from gfx/ only what is plainly one of its images: a
// user's folder received from someone else may name anything there (a link to a private file,
// a file of gigabytes).
constexpr size_t MaxUserImageSize = 1 << 20;

bool IsGif(const Text& bytes) {
    return bytes.rfind("GIF87a", 0) == 0 || bytes.rfind("GIF89a", 0) == 0;
}

// The user's image where it is fit to travel, else the image the program carries; empty when
// the name is not one of the set. A user's file that is left out is added to leftOut.
Text ImageBytes(const Text& pageFolder, const Text& fileName, std::vector<LeftOutImage>& leftOut) {
    const Text own = TextOfPath(PathOfText(pageFolder) / ImageFolder / fileName);
    Text bytes;
    switch (ReadWholeFile(own, bytes, MaxUserImageSize)) {
    case ReadOutcome::Read:
        if (IsGif(bytes)) return bytes;
        leftOut.push_back({own, "not a GIF image"});
        break;
    case ReadOutcome::Missing:
        break;
    case ReadOutcome::NotRegular:
        leftOut.push_back({own, "not a regular file"});
        break;
    case ReadOutcome::TooLarge:
        leftOut.push_back({own, "larger than 1 MiB"});
        break;
    case ReadOutcome::Failed:
        leftOut.push_back({own, "cannot be read"});
        break;
    }
    for (size_t i = 0; i < ImageSetSize; ++i)
        if (fileName == ImageSet[i].fileName)
            return Text(reinterpret_cast<const char*>(ImageSet[i].bytes), ImageSet[i].size);
    return {};
}

} // namespace

std::vector<Text> SingleFilePageLines(const Text& pageFolder, std::vector<LeftOutImage>& leftOut) {
    std::vector<Text> lines = ChartPageLines();
    const Text source = "<img src=", reference = source + ImageFolder + "/";
    std::map<Text, Text> uris; // by file name
    for (Text& line : lines) {
        for (size_t at = line.find(reference); at != Text::npos; at = line.find(reference, at)) {
            const size_t from = at + source.size(), nameFrom = at + reference.size();
            const size_t end = line.find('>', at);
            const Text fileName = line.substr(nameFrom, end - nameFrom);
            auto uri = uris.find(fileName);
            if (uri == uris.end()) {
                const Text bytes = ImageBytes(pageFolder, fileName, leftOut);
                uri =
                    uris.emplace(fileName, bytes.empty() ? line.substr(from, end - from)
                                                         : "data:image/gif;base64," + Base64(bytes))
                        .first;
            }
            line.replace(from, end - from, uri->second);
            at = from + uri->second.size();
        }
    }
    return lines;
}

GeneratePageStatus WriteSingleFilePage(const Text& chartFileName,
                                       std::vector<LeftOutImage>& leftOut) {
    if (chartFileName.empty()) return GeneratePageStatus::NoChart;
    HtmlFileName = HtmlFileNameOf(chartFileName);
    if (!FileCreate(PageFileNumber, HtmlFileName)) return GeneratePageStatus::CannotCreate;
    for (const Text& line : SingleFilePageLines(PathFolder(HtmlFileName), leftOut))
        FileWriteLine(line);
    if (!FileClose(PageFileNumber)) return GeneratePageStatus::CannotCreate;
    return GeneratePageStatus::Done;
}
