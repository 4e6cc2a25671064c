// The tovu command. "tovu numbers" and "tovu --version" answer here, in a
// process that loads no Qt library at all, so that a shell loop or a key
// binding gets its answer at once; "tovu messages" becomes a program with
// Qt's core alone. Everything else (the tray application, open, the help,
// the diagnosis) is the application's: this process becomes it, with the
// same arguments.
#include <PhoneKit/support/Files.h>

#include "cli/CommandLine.h"
#include "cli/NumbersCommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    PhoneKit::Files::ignoreRelativeXdgPaths();  // before any library reads them
    const std::string_view first = argc > 1 ? argv[1] : "";
    try {
        if (first == "numbers") {
            std::ios::sync_with_stdio(false);
            return NumbersCommand::run({argv + 2, argv + argc}, std::cin, std::cout, std::cerr);
        }
        if (argc == 2 && (first == "--version" || first == "-V")) {
            std::cout << CommandLine::kVersion << '\n';
            return CommandLine::finish(std::cout, std::cerr, "tovu", 0);
        }
    } catch (const std::exception& error) {
        std::cerr << "tovu: " << error.what() << '\n';
        return 1;
    }
    // The application lies where the install puts it, beside this program's
    // folder (bin/ and libexec/tovu/, in the build tree too). It learns
    // which command starts tovu, for the autostart entry.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe", error);
    const std::filesystem::path application =
        self.parent_path() / (first == "messages" ? TOVU_MESSAGES_FROM_COMMAND : TOVU_APPLICATION_FROM_COMMAND);
    ::setenv("TOVU_COMMAND", self.c_str(), 1);
    ::execv(application.c_str(), argv);
    std::cerr << "tovu: cannot start " << application.string() << ": " << std::strerror(errno) << '\n';
    return 1;
}
