// The single-file page: the page's lines, each image reference replaced by a data: URI (base64
// GIF). Each distinct image is read and encoded once per page.
#include "single_file.h"
#include "image_names.h"
#include "image_set.h"
#include "platform/files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

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

// The user's file where it can be read, else the image the program carries; empty when the
// name is not one of the set.
Text ImageBytes(const Text& pageFolder, const Text& fileName) {
    const std::filesystem::path own = PathOfText(pageFolder) / ImageFolder / fileName;
    std::error_code error;
    if (std::filesystem::is_regular_file(own, error)) {
        std::ifstream in(own, std::ios::binary);
        Text bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (in) return bytes;
    }
    for (size_t i = 0; i < ImageSetSize; ++i)
        if (fileName == ImageSet[i].fileName)
            return Text(reinterpret_cast<const char*>(ImageSet[i].bytes), ImageSet[i].size);
    return {};
}

} // namespace

std::vector<Text> SingleFilePageLines(const Text& pageFolder) {
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
                const Text bytes = ImageBytes(pageFolder, fileName);
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

GeneratePageStatus WriteSingleFilePage(const Text& chartFileName) {
    if (chartFileName.empty()) return GeneratePageStatus::NoChart;
    HtmlFileName = HtmlFileNameOf(chartFileName);
    if (!FileCreate(PageFileNumber, HtmlFileName)) return GeneratePageStatus::CannotCreate;
    for (const Text& line : SingleFilePageLines(PathFolder(HtmlFileName))) FileWriteLine(line);
    if (!FileClose(PageFileNumber)) return GeneratePageStatus::CannotCreate;
    return GeneratePageStatus::Done;
}
