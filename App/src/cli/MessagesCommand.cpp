#include "cli/MessagesCommand.h"

#include "cli/CommandLine.h"

#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "services/LanguageID.h"

#include <MacKit/MessageBook.h>
#include <PhoneKit/messages/AppLanguage.h>
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

constexpr CommandLine::Command kCommand{
    "tovu messages",
    "tovu messages [--language ID] [--json] | tovu messages export [FILE] | tovu messages import FILE|-",
    "  tovu messages [--language ID] [--json]\n"
    "  tovu messages export [FILE]\n"
    "  tovu messages import FILE|-\n"
    "      List the ready-made messages (TITLE<TAB>KIND, or the stored JSON with\n"
    "      --json), write them to FILE (or standard output) as JSON, or replace\n"
    "      them with the list in FILE (or standard input), checked whole first.\n"
    "      --language moves the ready-made texts you have not changed to ID (en, ar,\n"
    "      zh-Hans, ja, ko, es, fr, de, it, pt-BR, ru) and keeps that choice.\n"};

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

// The messages' language as the Messages section sets it: by the running
// tovu when there is one (its list in memory would be saved over the
// file's), else in the file.
int chooseLanguage(const PhoneKit::AppLanguage& language, std::ostream& err) {
    const QString id = QString::fromStdString(language.id);
    if (const auto answer = SingleInstance::hand({QStringLiteral("messagesLanguage"), id})) {
        if (answer->isEmpty()) return 0;
        err << "tovu messages: the running tovu could not switch the language: " << answer->toStdString() << '\n';
        return 1;
    }
    auto settings = openSettings(err);
    if (!settings->unreadableReason().isEmpty()) {  // never written over
        err << "tovu messages: " << settings->unreadableReason().toStdString() << '\n';
        return 1;
    }
    const std::string interfaceID = LanguageID::resolved(*settings, QLocale::system().uiLanguages());
    auto book =
        MacKit::MessageBook::opened(PhoneKit::TemplateStore(settings), settings->string(LanguageID::messagesKey),
                                    LanguageID::messagesAtStart(*settings, interfaceID));
    book.switchLanguage(language.id);
    settings->setValue(LanguageID::messagesKey, language.id);
    settings->setValue(LanguageID::messagesChosenKey, true);
    if (!settings->saveError().isEmpty()) {
        err << "tovu messages: " << settings->saveError().toStdString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

std::string_view usage() { return kCommand.usage; }

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    static constexpr CommandLine::Option kOptions[] = {{"json"}, {"language", 0, true}};
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
    if (!action.empty() && parsed.has("language")) {
        return CommandLine::usageError(err, kCommand, "--language is for the list, not for " + action);
    }
    std::optional<PhoneKit::AppLanguage> language;
    if (const auto asked = parsed.value("language")) {
        language = PhoneKit::AppLanguage::matching(*asked);
        if (!language) {
            return CommandLine::usageError(
                err, kCommand,
                "no messages in \"" + *asked + "\"; they come in en, ar, zh-Hans, ja, ko, es, fr, de, it, pt-BR, ru");
        }
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
    if (language) {
        if (const int code = chooseLanguage(*language, err); code != 0) return code;
    }
    const bool json = action == "export" || parsed.has("json");
    // "-" is standard output, as for any file argument.
    const auto file = operands.size() == 2 && operands[1] != "-" ? std::optional(operands[1]) : std::nullopt;

    auto settings = openSettings(err);
    if (!settings->unreadableReason().isEmpty()) {  // the ready-made messages are not the user's list
        err << "tovu messages: " << settings->unreadableReason().toStdString() << '\n';
        return 1;
    }
    const std::string shownIn =
        LanguageID::messagesAtStart(*settings, LanguageID::resolved(*settings, QLocale::system().uiLanguages()));
    const auto list = MacKit::MessageBook::found(PhoneKit::TemplateStore(settings), shownIn);
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
            out << PhoneKit::Text::shownSafely(PhoneKit::Templates::title(message, shownIn)) << '\t'
                << PhoneKit::toString(message.kind) << '\n';
        }
    }
    return CommandLine::finish(out, err, kCommand.name, 0);
}

}  // namespace MessagesCommand
