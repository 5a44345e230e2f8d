#pragma once
// quillbell-reg: reads and writes the program's registry values from the command line,
// in the manner of Windows' reg.exe, for the installation, support and scripts.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace regtool {

// Runs one command (the arguments after the program name, UTF-8). Answers go to `out`,
// a failure is one line on `err`; Yes/No questions read `in`. Returns the exit status:
// 0 on success, 1 otherwise.
int runRegTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

// The text that `quillbell-reg /?` prints.
std::string usageText();

}  // namespace regtool
