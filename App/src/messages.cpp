// tovu messages: the tovu command starts this program for it, with the same
// arguments. It needs the settings file and the session bus, not Qt's GUI.
#include <PhoneKit/support/Files.h>

#include "cli/MessagesCommand.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    PhoneKit::Files::ignoreRelativeXdgPaths();  // before any library reads them
    try {
        std::ios::sync_with_stdio(false);
        const std::vector<std::string> arguments(argv + std::min(argc, 2), argv + argc);
        return MessagesCommand::run(arguments, std::cin, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "tovu messages: " << error.what() << '\n';
        return 1;
    }
}
