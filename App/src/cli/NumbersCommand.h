#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace NumbersCommand {

/// `tovu numbers [--region ID] [--json] [--lines] [TEXT…]`: the numbers
/// found in the text (the arguments joined with blanks, else standard
/// input). Returns the exit code: 0, or 2 for a usage error.
int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);

/// The usage lines of the subcommand, for `tovu --help`.
const char* usage();

}  // namespace NumbersCommand
