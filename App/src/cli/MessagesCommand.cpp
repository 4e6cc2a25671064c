#include "cli/MessagesCommand.h"

#include "cli/CommandLine.h"

#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "services/LanguageID.h"

#include <PhoneKit/messages/Templates.h>
#include <PhoneKit/stores/TemplateStore.h>
#include <PhoneKit/support/Files.h>
#include <PhoneKit/support/Text.h>

#include <QCoreApplication>
#include <QLocale>

#include <fstream>
#include <istream>
#include <ostream>

namespace MessagesCommand {

namespace {

using PhoneKit::MessageTemplate;

// What the panel would show: the stored list, what still reads of a
// damaged one, or the ready-made messages of a first start. Nothing is
// written.
std::vector<MessageTemplate> currentList(const PhoneKit::TemplateStore& store, const std::string& languageID) {
    if (auto stored = store.load()) return *stored;
    auto salvaged = store.salvage();
    return salvaged.empty() ? PhoneKit::Templates::defaults(languageID) : salvaged;
}

constexpr CommandLine::Command kCommand{
    "tovu messages", "tovu messages [--json] | tovu messages export [FILE] | tovu messages import FILE|-",
    "  tovu messages [--json]\n"
    "  tovu messages export [FILE]\n"
    "  tovu messages import FILE|-\n"
    "      List the ready-made messages (TITLE<TAB>KIND, or the stored JSON with\n"
    "      --json), write them to FILE (or standard output) as JSON, or replace\n"
    "      them with the list in FILE (or standard input), checked whole first.\n"};

// The settings file, and a word to the user when it was kept aside as it
// was found (cut short, or too large to be tovu's): the log is not where a
// terminal user looks.
std::shared_ptr<SettingsDefaults> openSettings(std::ostream& err) {
    auto settings = std::make_shared<SettingsDefaults>();
    if (settings->wasUnreadable()) {
        err << "tovu: " << settings->fileName().toStdString() << " did not read whole; it is kept as "
            << settings->keptCopy().toStdString() << '\n';
    }
    return settings;
}

// The content of FILE, or of standard input for "-": a byte more than a
// list may hold is enough to tell it is too large.
std::optional<std::string> readList(const std::string& file, std::istream& in, std::string& problem) {
    constexpr std::size_t limit = PhoneKit::TemplateLimits::bytes + 1;
    if (file == "-") return CommandLine::readAll(in, "standard input", limit, problem);
    std::ifstream opened(file, std::ios::binary);
    if (!opened) {
        problem = CommandLine::readFailure(file);
        return std::nullopt;
    }
    return CommandLine::readAll(opened, file, limit, problem);
}

int import(const std::string& file, std::istream& in, std::ostream& out, std::ostream& err) {
    std::string problem;
    const auto bytes = readList(file, in, problem);
    if (!bytes) {
        err << "tovu messages import: " << problem << '\n';
        return 1;
    }
    // Checked here whole, before any of it reaches the running tovu or the file.
    const PhoneKit::TemplateImport checked = PhoneKit::checkedTemplates(*bytes);
    if (!checked.problem.empty()) {
        err << "tovu messages import: " << (file == "-" ? "standard input" : file) << ": " << checked.problem
            << "; nothing changed\n";
        return 2;
    }
    const std::vector<MessageTemplate>& list = checked.messages;
    if (const auto answer = SingleInstance::hand({QStringLiteral("import"), QString::fromStdString(*bytes)})) {
        if (!answer->isEmpty()) {
            err << "tovu messages import: the running tovu could not save the list: " << answer->toStdString() << '\n';
            return 1;
        }
        out << "Imported " << list.size() << " messages into the running tovu.\n";
        return CommandLine::finish(out, err, kCommand.name, 0);
    }
    auto settings = openSettings(err);
    PhoneKit::TemplateStore(settings).save(list);
    if (!settings->saveError().isEmpty()) {
        err << "tovu messages import: " << settings->saveError().toStdString() << '\n';
        return 1;
    }
    out << "Imported " << list.size() << " messages.\n";
    return CommandLine::finish(out, err, kCommand.name, 0);
}

}  // namespace

std::string_view usage() { return kCommand.usage; }

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    static constexpr CommandLine::Option kOptions[] = {{"json"}};
    const CommandLine::Parsed parsed = CommandLine::parse(arguments, kOptions);
    if (const auto code = CommandLine::answered(parsed, kCommand, out, err)) return *code;
    const std::vector<std::string>& operands = parsed.operands;
    const std::string action = operands.empty() ? std::string() : operands.front();
    if (!action.empty() && action != "import" && action != "export") {
        return CommandLine::usageError(err, kCommand, "unknown action \"" + action + "\"");
    }
    if (!action.empty() && parsed.has("json")) {
        return CommandLine::usageError(err, kCommand, "--json is for the list; " + action + " always uses JSON");
    }
    if (action == "import" && operands.size() != 2) {
        return CommandLine::usageError(err, kCommand, "import needs one FILE");
    }
    if (action != "import" && operands.size() > (action == "export" ? 2u : 1u)) {
        return CommandLine::usageError(err, kCommand, "unexpected argument " + operands.back());
    }

    int argc = 1;
    char name[] = "tovu";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    if (action == "import") return import(operands[1], in, out, err);
    const bool json = action == "export" || parsed.has("json");
    // "-" is standard output, as for any file argument.
    const auto file = operands.size() == 2 && operands[1] != "-" ? std::optional(operands[1]) : std::nullopt;

    auto settings = openSettings(err);
    if (!settings->unreadableReason().isEmpty()) {  // the ready-made messages are not the user's list
        err << "tovu messages: " << settings->unreadableReason().toStdString() << '\n';
        return 1;
    }
    const std::string language = LanguageID::resolved(*settings, QLocale::system().uiLanguages());
    const auto list = currentList(PhoneKit::TemplateStore(settings), language);
    if (file) {
        if (const auto error = PhoneKit::Files::writeAtomically(*file, PhoneKit::encodeTemplates(list) + '\n')) {
            err << "tovu messages export: cannot write " << *file << ": " << error.message() << '\n';
            return 1;
        }
        return 0;
    }
    if (json) {
        out << PhoneKit::encodeTemplates(list) << '\n';
    } else {
        for (const MessageTemplate& message : list) {
            // A title is the user's text, or an imported one: a terminal
            // shows its escapes, never obeys them.
            out << PhoneKit::Text::shownSafely(PhoneKit::Templates::title(message, language)) << '\t'
                << PhoneKit::toString(message.kind) << '\n';
        }
    }
    return CommandLine::finish(out, err, kCommand.name, 0);
}

}  // namespace MessagesCommand
