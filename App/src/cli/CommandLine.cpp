#include "cli/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace CommandLine {

std::optional<PhoneKit::Region> regionNamed(std::string id) {
    std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return std::toupper(c); });
    return PhoneKit::Region::withID(id);
}

bool takeRegion(const std::vector<std::string>& arguments, std::size_t& i, PhoneKit::Region& region, bool& ok,
                std::ostream& err, const char* command) {
    const std::string& argument = arguments[i];
    if (argument != "--region" && !argument.starts_with("--region=")) return false;
    ok = false;
    std::string id;
    if (argument == "--region") {
        if (i + 1 == arguments.size()) {
            err << "tovu " << command << ": --region needs a region id such as SA or GB\n";
            return true;
        }
        id = arguments[++i];
    } else {
        id = argument.substr(std::string_view("--region=").size());
    }
    auto found = regionNamed(id);
    if (!found) {
        err << "tovu " << command << ": unknown region \"" << id << "\" (use a two-letter id such as SA or GB)\n";
        return true;
    }
    region = std::move(*found);
    ok = true;
    return true;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string text;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) text += ' ';
        text += texts[i];
    }
    return text;
}

}  // namespace CommandLine
