// quillbell-profile: the profile tool's command line; the work is done in qb_profiletool.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/profile/ProfileTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return profiletool::runProfileTool(args, std::cin, std::cout, std::cerr,
                                       isatty(STDIN_FILENO) != 0);
}
