#include "cli/OpenCommand.h"

#include "cli/CommandLine.h"
#include "services/ChatOpening.h"

#include <ostream>

namespace OpenCommand {

constexpr CommandLine::Command kCommand{
    "tovu open", "tovu open [--region ID] TEXT...",
    "  tovu open [--region ID] TEXT...\n"
    "      Open the WhatsApp chat of the one number in TEXT (the app's link, else\n"
    "      the web link). Several numbers are listed and none is opened (exit 3);\n"
    "      with a display, the panel shows them, or the notice when there is none.\n"};

std::string_view usage() { return kCommand.usage; }

int run(const std::vector<std::string>& arguments, WorkspaceService& workspace, std::ostream& out, std::ostream& err,
        const InPanel& inPanel) {
    static constexpr CommandLine::Option kOptions[] = {{"region", 0, true}};
    const CommandLine::Parsed parsed = CommandLine::parse(arguments, kOptions);
    if (const auto code = CommandLine::answered(parsed, kCommand, out, err)) return *code;
    std::string problem;
    const auto region = CommandLine::region(parsed, problem);
    if (!region) return CommandLine::usageError(err, kCommand, problem);
    if (parsed.operands.empty()) return CommandLine::usageError(err, kCommand, "no text given");
    using Case = PhoneKit::LaunchDecision::Action::Case;
    const std::string text = CommandLine::joined(parsed.operands);
    const auto action = PhoneKit::LaunchDecision::action(text, *region);
    if (inPanel && action.kind != Case::open) return inPanel(text);
    switch (action.kind) {
        case Case::nothingFound:
            out << "No phone number found. Paste or type one.\n";
            return CommandLine::finish(out, err, kCommand.name, 1);
        case Case::choose:
            out << "Which number?\n";
            for (const auto& number : action.numbers) out << "  " << number.display() << '\n';
            return CommandLine::finish(out, err, kCommand.name, 3);
        case Case::open: break;
    }
    if (!ChatOpening::openChat(workspace, action.numbers.front())) {
        err << "Could not open WhatsApp.\n";
        return 4;
    }
    out << "Opened a chat with " << action.numbers.front().display() << '\n';
    return CommandLine::finish(out, err, kCommand.name, 0);
}

}  // namespace OpenCommand
