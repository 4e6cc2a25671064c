#include "cli/OpenCommand.h"

#include "cli/CommandLine.h"
#include "services/ChatOpening.h"

#include <ostream>

namespace OpenCommand {

const char* usage() {
    return "  tovu open [--region ID] TEXT...\n"
           "      Open the WhatsApp chat of the one number in TEXT (the app's link, else\n"
           "      the web link). Several numbers are listed and none is opened (exit 3);\n"
           "      with a display, the panel shows them, or the notice when there is none.\n";
}

int run(const std::vector<std::string>& arguments, WorkspaceService& workspace, std::ostream& out, std::ostream& err,
        const InPanel& inPanel) {
    PhoneKit::Region region = PhoneKit::Region::current();
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (bool ok = true; CommandLine::takeRegion(arguments, i, region, ok, err, "open")) {
            if (!ok) return 2;
        } else {
            texts.push_back(arguments[i]);
        }
    }
    if (texts.empty()) {
        err << "tovu open: no text given\nusage:\n" << usage();
        return 2;
    }
    using Case = PhoneKit::LaunchDecision::Action::Case;
    const std::string text = CommandLine::joined(texts);
    const auto action = PhoneKit::LaunchDecision::action(text, region);
    if (inPanel && action.kind != Case::open) return inPanel(text);
    switch (action.kind) {
        case Case::nothingFound: out << "No phone number found. Paste or type one.\n"; return 1;
        case Case::choose:
            out << "Which number?\n";
            for (const auto& number : action.numbers) out << "  " << number.display() << '\n';
            return 3;
        case Case::open: break;
    }
    if (!ChatOpening::openChat(workspace, action.numbers.front())) {
        err << "Could not open WhatsApp.\n";
        return 4;
    }
    out << "Opened a chat with " << action.numbers.front().display() << '\n';
    return 0;
}

}  // namespace OpenCommand
