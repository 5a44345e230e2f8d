// Reading a language file of 32,000 lines into the message catalogue, against reading
// the same file into lines and nothing more. Prints both times and their ratio.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "lang/modMessages.h"
#include "lang/modReadLang.h"

namespace {

constexpr int kLines = 32000;
constexpr int kRounds = 15;

// A language file as a translator would write it: headings, remarks, blank lines, the
// catalogue keys, and many keys the catalogue does not know.
std::string generateLanguageFile() {
    std::string text = "' Generated language file for the benchmark\r\n[Benchmark]\r\n";
    int lines = 2;
    text += "HelpFile = \"Benchmark.chm\"\r\n";
    ++lines;
    for (const auto& entry : modMessages::kCatalogue) {
        text += std::string(entry.key) + " = \"Translated " + std::string(entry.english) +
                "\"  ' catalogue text\r\n";
        ++lines;
    }
    for (int i = 0; lines < kLines; ++i, ++lines) {
        switch (i % 8) {
            case 0:
                text += "\r\n";
                break;
            case 1:
                text += "' Section " + std::to_string(i) + " of texts that nobody reads\r\n";
                break;
            default:
                text += "  Extra Key_" + std::to_string(i) + " =  \"Some longer text number " +
                        std::to_string(i) + " with a few words\"\r\n";
        }
    }
    return text;
}

std::filesystem::path writeFile(const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / "quillbell-lang-bench.lng";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return path;
}

std::size_t plainRead(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(line);
    }
    return lines.size();
}

std::size_t catalogueRead(const std::filesystem::path& path) {
    const auto utf8 = path.u8string();
    modMessages::InitMessages();
    modMessages::LoadMessages(std::string(utf8.begin(), utf8.end()));
    return modMessages::Message("ConfigWin_Ok").size();
}

// The median of several rounds, in milliseconds.
double medianMs(const std::function<std::size_t()>& work) {
    std::vector<double> times;
    std::size_t sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        sink += work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    if (sink == 0) {
        std::puts("nothing was read");
    }
    return times[times.size() / 2];
}

}  // namespace

int main() {
    const auto text = generateLanguageFile();
    const auto path = writeFile(text);

    const double plain = medianMs([&] { return plainRead(path); });
    const double catalogue = medianMs([&] { return catalogueRead(path); });
    std::filesystem::remove(path);

    if (modMessages::Message("ConfigWin_Ok") != "Translated OK" ||
        modMessages::HelpFileName() != "Benchmark.chm") {
        std::puts("the language file was not applied");
        return 1;
    }
    std::printf("language file: %d lines, %zu bytes, %zu entries\n", kLines, text.size(),
                modReadLang::InterfaceVars().size());
    std::printf("plain read into lines:         %8.2f ms\n", plain);
    std::printf("ReadInterface + LoadMessages:  %8.2f ms\n", catalogue);
    std::printf("ratio: %.2f (target: at most 3)\n", catalogue / plain);
    return 0;
}
