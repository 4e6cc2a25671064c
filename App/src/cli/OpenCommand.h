#pragma once

#include "platform/Services.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace OpenCommand {

/// `tovu open [--region ID] TEXT…`: what the panel's "Open chat" does. Exit
/// codes: 0 opened, 1 no number, 2 usage, 3 several numbers (listed, none
/// opened), 4 WhatsApp could not be opened.
/// Shows a text in the panel instead (several numbers, or none): the exit code.
using InPanel = std::function<int(const std::string& text)>;
/// With `inPanel`, several numbers or none go to the panel, where the user
/// chooses or sees the notice.
int run(const std::vector<std::string>& arguments, WorkspaceService& workspace, std::ostream& out, std::ostream& err,
        const InPanel& inPanel = {});

std::string_view usage();

}  // namespace OpenCommand
