#pragma once
// quillbell-profile: the mail profiles of the current user.
//   add NAME URL [URL...]   creates the profile, or replaces the stores of an existing one;
//                           the password of each server store is read from the input, one
//                           line per server store, in the order of the URLs
//   default NAME            makes NAME the default profile
//   list                    one name a line, the default one marked " (default)"
//   remove NAME             deletes the profile
// Exit status 0, or 1 with one line "ERROR: ..." on the error stream.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace profiletool {

// `terminal`: the input is a terminal, so a prompt is shown and the typing is not echoed.
int runProfileTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, bool terminal);

}  // namespace profiletool
