#pragma once
// Runs quillbell-reg's library on a clean registry of its own, with the answers and
// errors caught in strings.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace regtooltest {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// The program's own tree: the test registry cleans it on every backend.
inline const std::string kBase = "Software\\Orvane\\RegTool";
inline const std::string kBaseName = "HKEY_CURRENT_USER\\Software\\Orvane\\RegTool";

class RegToolTest : public ::testing::Test {
protected:
    RegToolTest();
    ~RegToolTest() override;

    // Runs one command; `input` answers its questions.
    RunResult run(const std::vector<std::string>& args, const std::string& input = "");
    // Starts again on an empty registry (files written by the test stay).
    void freshRegistry();
    // A file name in a directory that outlives freshRegistry().
    std::string file(const std::string& name) const;
    std::string readFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;

    // Plants a value under kBase (or a path below it) with exact bytes.
    void plant(const std::string& name, std::uint32_t type, const std::string& bytes,
               const std::string& subPath = "");
    std::optional<testsupport::RawValue> stored(const std::string& name,
                                                const std::string& subPath = "") const;

private:
    std::optional<testsupport::ScopedTestRegistry> registry_;
    std::filesystem::path files_;
};

// The failure must be exactly one line on the error stream and nothing else.
void expectOneLineError(const RunResult& result, const std::string& mentioning = "");

}  // namespace regtooltest
