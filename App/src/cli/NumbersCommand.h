#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace NumbersCommand {

/// `tovu numbers [--region ID] [--json] [--lines] [TEXT…]`: the numbers
/// found in the text (the arguments joined with blanks, else standard
/// input). Returns the exit code: 0, 1 a failed read or write, 2 usage.
int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);

/// The usage lines of the subcommand, for `tovu --help`.
std::string_view usage();

}  // namespace NumbersCommand
