#include "lang/LanguageFileReader.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
#include <system_error>

#include "lang/LangError.h"
#include "lang/LineSplitter.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace modReadLang {

namespace {

// The stream library leaves the reason of a failure in errno; when it does not,
// `fallback` stands in.
LangError systemFailure(std::errc fallback) {
    const int code = errno;
    return LangError::fileError(code != 0 ? std::error_code(code, std::generic_category())
                                          : std::make_error_code(fallback));
}

std::ifstream openForReading(const std::filesystem::path& path) {
    std::error_code ignored;
    // Some systems open a directory as a file and only fail on reading.
    if (std::filesystem::is_directory(path, ignored)) {
        throw LangError::fileError(std::make_error_code(std::errc::is_a_directory));
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        throw systemFailure(std::errc::io_error);
    }
    return file;
}

}  // namespace

LanguageFileLines readLanguageFile(const std::string& path) {
    std::ifstream file = openForReading(platform::pathFromUtf8(path));
    LineSplitter splitter(platform::ansiCodePage(), kMaxLanguageFileLines);
    const auto chunk = std::make_unique_for_overwrite<char[]>(kReadChunkSize);
    while (file) {
        errno = 0;
        file.read(chunk.get(), static_cast<std::streamsize>(kReadChunkSize));
        if (file.bad()) {
            throw systemFailure(std::errc::io_error);
        }
        splitter.feed(std::string_view(chunk.get(), static_cast<std::size_t>(file.gcount())));
    }
    return splitter.finish();
}

}  // namespace modReadLang
