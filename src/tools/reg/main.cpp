// quillbell-reg: the registry tool's command line; the work is done in qb_regtool.

#include <iostream>
#include <string>
#include <vector>

#include "tools/reg/RegTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return regtool::runRegTool(args, std::cin, std::cout, std::cerr);
}
