#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace MessagesCommand {

/// `tovu messages [--json]`, `tovu messages export [FILE]`, `tovu messages
/// import FILE|-`: the message list as the panel shows it, or as its stored
/// JSON. An import is checked whole before anything changes and goes to the
/// running tovu when there is one, so that its list in memory is not written
/// back over the new one. Exit codes: 0, 1 a failed read or write, 2 usage
/// or a file that is no message list.
int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err);

std::string_view usage();

}  // namespace MessagesCommand
