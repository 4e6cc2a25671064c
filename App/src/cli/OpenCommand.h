#pragma once

#include "platform/Services.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace OpenCommand {

/// `tovu open [--region ID] TEXT…`: what the panel's "Open chat" does. Exit
/// codes: 0 opened, 1 no number, 2 usage, 3 several numbers (listed, none
/// opened), 4 WhatsApp could not be opened.
int run(const std::vector<std::string>& arguments, WorkspaceService& workspace, std::ostream& out, std::ostream& err);

const char* usage();

}  // namespace OpenCommand
