#include "cli/MessagesCommand.h"

#include "platform/Settings.h"
#include "platform/SingleInstance.h"
#include "services/AppLanguageState.h"

#include <PhoneKit/messages/Templates.h>
#include <PhoneKit/stores/TemplateStore.h>
#include <PhoneKit/support/Files.h>

#include <QCoreApplication>
#include <QLocale>

#include <fstream>
#include <istream>
#include <iterator>
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

int usageError(std::ostream& err, const std::string& problem) {
    err << "tovu messages: " << problem << "\nusage:\n" << usage();
    return 2;
}

// The whole content of FILE, or of standard input for "-".
std::optional<std::string> readAll(const std::string& file, std::istream& in) {
    std::ifstream opened;
    if (file != "-") {
        opened.open(file, std::ios::binary);
        if (!opened) return std::nullopt;
    }
    std::istream& source = file == "-" ? in : opened;
    std::string bytes{std::istreambuf_iterator<char>(source), {}};
    if (source.bad()) return std::nullopt;
    return bytes;
}

int import(const std::string& file, std::istream& in, std::ostream& out, std::ostream& err) {
    const auto bytes = readAll(file, in);
    if (!bytes) {
        err << "tovu messages import: cannot read " << file << '\n';
        return 1;
    }
    const auto list = PhoneKit::decodeTemplates(*bytes);
    if (!list) {
        err << "tovu messages import: " << file
            << " is not a message list (a JSON array of {\"id\",\"kind\",\"text\"} objects); nothing changed\n";
        return 2;
    }
    if (const auto answer = SingleInstance::hand({QStringLiteral("import"), QString::fromStdString(*bytes)})) {
        if (!answer->isEmpty()) {
            err << "tovu messages import: the running tovu could not save the list: " << answer->toStdString() << '\n';
            return 1;
        }
        out << "Imported " << list->size() << " messages into the running tovu.\n";
        return 0;
    }
    auto settings = std::make_shared<SettingsDefaults>();
    PhoneKit::TemplateStore(settings).save(*list);
    if (!settings->saveError().isEmpty()) {
        err << "tovu messages import: " << settings->saveError().toStdString() << '\n';
        return 1;
    }
    out << "Imported " << list->size() << " messages.\n";
    return 0;
}

}  // namespace

const char* usage() {
    return "  tovu messages [--json]\n"
           "  tovu messages export [FILE]\n"
           "  tovu messages import FILE|-\n"
           "      List the ready-made messages (TITLE<TAB>KIND, or the stored JSON with\n"
           "      --json), write them to FILE (or standard output) as JSON, or replace\n"
           "      them with the list in FILE (or standard input), checked whole first.\n";
}

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    int argc = 1;
    char name[] = "tovu";
    char* argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);

    const std::string action = arguments.empty() ? std::string() : arguments.front();
    if (action == "import") {
        if (arguments.size() != 2) return usageError(err, "import needs one FILE");
        return import(arguments[1], in, out, err);
    }
    const bool exporting = action == "export";
    bool json = exporting;
    std::optional<std::string> file;
    for (std::size_t i = exporting ? 1 : 0; i < arguments.size(); ++i) {
        if (!exporting && arguments[i] == "--json") {
            json = true;
        } else if (exporting && !file && (arguments[i].empty() || arguments[i].front() != '-')) {
            file = arguments[i];
        } else {
            return usageError(err, "unexpected argument " + arguments[i]);
        }
    }

    auto settings = std::make_shared<SettingsDefaults>();
    if (!settings->unreadableReason().isEmpty()) {  // the ready-made messages are not the user's list
        err << "tovu messages: " << settings->unreadableReason().toStdString() << '\n';
        return 1;
    }
    const AppLanguageState language(*settings, QLocale::system().uiLanguages());
    const auto list = currentList(PhoneKit::TemplateStore(settings), language.id());
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
            out << PhoneKit::Templates::title(message, language.id()) << '\t' << PhoneKit::toString(message.kind)
                << '\n';
        }
    }
    out.flush();
    if (!out) {
        err << "tovu messages: cannot write the output\n";
        return 1;
    }
    return 0;
}

}  // namespace MessagesCommand
