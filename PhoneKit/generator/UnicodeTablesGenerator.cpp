// Writes the Unicode properties the text rules ask about, as ICU of the
// build machine knows them, into a table of runs:
//   tovu-unicode-tables UnicodeTables.cpp

#include "support/Unicode.h"

#include <unicode/uchar.h>

#include <fstream>
#include <iostream>
#include <sstream>

using PhoneKit::Unicode::Category;
using PhoneKit::Unicode::Properties;

namespace {

Properties fromICU(UChar32 c) {
    Properties p;
    p.whiteSpace = u_isUWhiteSpace(c) != 0;
    switch (u_charType(c)) {
        case U_DECIMAL_DIGIT_NUMBER:
            p.category = Category::decimalDigit;
            p.digitValue = static_cast<std::uint8_t>(u_charDigitValue(c));
            break;
        case U_DASH_PUNCTUATION: p.category = Category::dashPunctuation; break;
        case U_SPACE_SEPARATOR: p.category = Category::spaceSeparator; break;
        case U_FORMAT_CHAR: p.category = Category::format; break;
        case U_CONTROL_CHAR: p.category = Category::control; break;
        default: break;
    }
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tovu-unicode-tables UnicodeTables.cpp\n";
        return 1;
    }
    std::ostringstream out;
    out << "// Generated at build time by tovu-unicode-tables from ICU " << U_UNICODE_VERSION << ".\n"
        << "// clang-format off\n#include \"support/Unicode.h\"\n\nnamespace PhoneKit::Unicode {\n\n"
        << "const Range kRanges[] = {\n";
    std::size_t count = 0;
    UChar32 first = 0;
    Properties run = fromICU(0);
    const auto close = [&](UChar32 last) {
        if (run.category == Category::other && !run.whiteSpace) return;
        out << "{" << first << "," << last << ",Category(" << int(run.category) << ")," << int(run.digitValue) << ","
            << (run.whiteSpace ? "true" : "false") << "},\n";
        ++count;
    };
    for (UChar32 c = 1; c <= 0x10FFFF; ++c) {
        const Properties p = fromICU(c);
        const bool continues = p.category == run.category && p.whiteSpace == run.whiteSpace &&
                               (p.category != Category::decimalDigit || p.digitValue == run.digitValue + (c - first));
        if (continues) continue;
        close(c - 1);
        first = c;
        run = p;
    }
    close(0x10FFFF);
    out << "};\n\nconst std::size_t kRangeCount = " << count << ";\n\n}  // namespace PhoneKit::Unicode\n";
    std::ofstream file(argv[1]);
    file << out.str();
    if (!file.flush()) {
        std::cerr << "tovu-unicode-tables: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
