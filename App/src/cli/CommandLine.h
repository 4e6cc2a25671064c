#pragma once

#include <PhoneKit/numbers/Region.h>

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

/// What the subcommands share: the --region option and the joined text.
namespace CommandLine {

/// The region of an id on the command line; "gb" means GB.
std::optional<PhoneKit::Region> regionNamed(std::string id);

/// Reads `--region ID` or `--region=ID` at `arguments[i]` (advancing `i`
/// past a separate value). Nothing when it is no region option; false in
/// `ok` with a message on `err` when its value is missing or unknown.
bool takeRegion(const std::vector<std::string>& arguments, std::size_t& i, PhoneKit::Region& region, bool& ok,
                std::ostream& err, const char* command);

/// The arguments joined with single blanks.
std::string joined(const std::vector<std::string>& texts);

}  // namespace CommandLine
