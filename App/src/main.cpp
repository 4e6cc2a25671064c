#include "NumbersCommand.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

void printUsage(std::ostream& out) {
    out << "tovu: open a WhatsApp chat\n\nusage:\n"
        << tovu::NumbersCommand::usage() << "  tovu --help | --version\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments.front() == "--help" || arguments.front() == "-h") {
        printUsage(std::cout);
        return 0;
    }
    if (arguments.front() == "--version") {
        std::cout << "tovu " << TOVU_VERSION << '\n';
        return 0;
    }
    if (arguments.front() == "numbers") {
        return tovu::NumbersCommand::run({arguments.begin() + 1, arguments.end()}, std::cin, std::cout, std::cerr);
    }
    std::cerr << "tovu: unknown command \"" << arguments.front() << "\"\n\n";
    printUsage(std::cerr);
    return 2;
}
