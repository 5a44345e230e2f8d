#include "RegToolFixture.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "support/ScratchDir.h"
#include "tools/reg/RegTool.h"

namespace regtooltest {

RegToolTest::RegToolTest() : files_(testsupport::makeScratchDir()) {
    registry_.emplace();
}

RegToolTest::~RegToolTest() {
    registry_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(files_, ignored);
}

RunResult RegToolTest::run(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.status = regtool::runRegTool(args, in, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

void RegToolTest::freshRegistry() {
    registry_.reset();
    registry_.emplace();
}

std::string RegToolTest::file(const std::string& name) const {
    return (files_ / name).string();
}

std::string RegToolTest::readFile(const std::string& name) const {
    std::ifstream stream(files_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

void RegToolTest::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(files_ / name, std::ios::binary) << bytes;
}

void RegToolTest::plant(const std::string& name, std::uint32_t type, const std::string& bytes,
                        const std::string& subPath) {
    const std::string path = subPath.empty() ? kBase : kBase + "\\" + subPath;
    testsupport::createKey(platform::kHkeyCurrentUser, path);
    // A byte other than NUL after the counted ones: Windows would otherwise count a
    // terminator into a string planted without one.
    ASSERT_EQ(testsupport::setRaw(platform::kHkeyCurrentUser, path, name, type, bytes + 'X',
                                  static_cast<std::uint32_t>(bytes.size())),
              0)
        << name;
}

std::optional<testsupport::RawValue> RegToolTest::stored(const std::string& name,
                                                         const std::string& subPath) const {
    const std::string path = subPath.empty() ? kBase : kBase + "\\" + subPath;
    return testsupport::getRaw(platform::kHkeyCurrentUser, path, name);
}

void expectOneLineError(const RunResult& result, const std::string& mentioning) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.rfind("ERROR: ", 0), 0u) << result.err;
    ASSERT_FALSE(result.err.empty());
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    EXPECT_NE(result.err.find(mentioning), std::string::npos) << result.err;
}

}  // namespace regtooltest
