// Runs the real tovu executable, as a shell or a script would.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string slurp(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// `redirects` come after the test's own, so "<&-" or ">/dev/full" win.
Result tovu(const std::vector<std::string>& arguments, const std::string& input = "",
            const std::string& environment = "TZ=Asia/Riyadh", const std::string& redirects = "") {
    const auto dir = std::filesystem::temp_directory_path() / ("tovu-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    std::string command = "env " + environment + " " + quoted(TOVU_EXECUTABLE);
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += " <" + quoted(dir / "in") + " >" + quoted(dir / "out") + " 2>" + quoted(dir / "err") + " " + redirects;
    const int status = std::system(command.c_str());
    Result result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "out"), slurp(dir / "err")};
    std::filesystem::remove_all(dir);
    return result;
}

const std::string kMobileJSON = R"({"digits":"966501234567","kind":"mobile","display":"+966 50 123 4567"})";
const std::string kLandlineJSON = R"({"digits":"966112345678","kind":"landline","display":"+966 11 234 5678"})";

}  // namespace

TEST(NumbersCommand, PrintsNumbersAsTextOrJSON) {
    const struct {
        std::vector<std::string> arguments;
        std::string input;
        std::string out;
        std::string zone = "TZ=Asia/Riyadh";  // the default region's
    } cases[] = {
        {{"numbers", "--region", "SA", "--json", "Call 0501234567 or 0112345678"},
         "",
         "[" + kMobileJSON + "," + kLandlineJSON + "]\n"},
        {{"numbers", "--region", "GB", "--lines", "--json"}, "0501234567\nhello\n", "[" + kMobileJSON + "]\n[]\n"},
        {{"numbers", "0112345678 or 0501234567"},
         "",
         "+966 50 123 4567\t966501234567\tmobile\n+966 11 234 5678\t966112345678\tlandline\n"},
        {{"numbers", "050", "123", "4567"}, "", "+966 50 123 4567\t966501234567\tmobile\n"},  // joined with blanks
        {{"numbers"}, "call me at\n050 123 4567\nthanks\n", "+966 50 123 4567\t966501234567\tmobile\n"},  // one text
        {{"numbers", "--lines"},
         "0501234567 0112345678\r\n\nnone\n0551234567",
         "+966 50 123 4567\t966501234567\tmobile\t+966 11 234 5678\t966112345678\tlandline\n\n\n"
         "+966 55 123 4567\t966551234567\tmobile\n"},
        {{"numbers"}, "hello", ""},
        {{"numbers", "--region=gb", "07400 123456"}, "", "+44 7400123456\t447400123456\tmobile\n"},
        // The region defaults to the time zone's, else SA.
        {{"numbers", "07400 123456"}, "", "+44 7400123456\t447400123456\tmobile\n", "TZ=Europe/London"},
        {{"numbers", "07400 123456"}, "", "", "TZ=UTC"},
        {{"numbers", "0501234567"}, "", "+966 50 123 4567\t966501234567\tmobile\n", "TZ=UTC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back() + " " + c.zone);
        const Result result = tovu(c.arguments, c.input, c.zone);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "");
    }
}

TEST(CommandLine, EveryCommandIsStrictAndSaysWhatWentWrong) {
    // Nothing here may reach the settings or a display of the machine.
    const std::string isolated =
        "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TZ=Asia/Riyadh XDG_CONFIG_HOME=/nonexistent/config";
    const struct {
        std::vector<std::string> arguments;
        std::string redirects;
        int exitCode;
        std::string firstLine;  // of standard error, else of standard output
    } cases[] = {
        // A mistyped option is never text to search for a number.
        {{"open", "--regoin", "AE", "0501234567"}, "", 2, "tovu open: unknown option --regoin"},
        {{"open", "--json", "0501234567"}, "", 2, "tovu open: unknown option --json"},
        {{"numbers", "--json=yes"}, "", 2, "tovu numbers: --json takes no value"},
        {{"numbers", "--region"}, "", 2, "tovu numbers: --region needs a value"},
        {{"numbers", "--region", "XX", "0501234567"}, "", 2, "tovu numbers: unknown region \"XX\""},
        {{"messages", "list"}, "", 2, "tovu messages: unknown action \"list\""},
        {{"messages", "import"}, "", 2, "tovu messages: import needs one FILE"},
        {{"messages", "export", "a", "b"}, "", 2, "tovu messages: unexpected argument b"},
        {{"messages", "--language", "tlh"}, "", 2, "tovu messages: no messages in \"tlh\"; they come in en, ar,"},
        {{"messages", "export", "--language", "fr"},
         "",
         2,
         "tovu messages: --language is for the list, not for export"},
        {{"--frobnicate"}, "", 2, "tovu: unknown option --frobnicate"},
        {{"dial"}, "", 2, "tovu: unknown command \"dial\""},
        {{"--show", "--clipboard"}, "", 2, "tovu: --show, --clipboard and a link go one at a time"},
        {{"-platform", "offscreen", "--bogus"}, "", 2, "tovu: unknown option --bogus"},
        // "--" ends the options.
        {{"numbers", "--", "--json", "0501234567"}, "", 0, "+966 50 123 4567\t966501234567\tmobile"},
        {{"open", "--", "--help"}, "", 1, "No phone number found. Paste or type one."},
        // Help on standard output, for tovu and every command.
        {{"--help"}, "", 0, "usage:"},
        {{"open", "-h", "0501234567"}, "", 0, "usage:"},
        {{"messages", "import", "--help"}, "", 0, "usage:"},
        {{"-V"}, "", 0, std::string("tovu ") + TOVU_VERSION_TEXT},
        {{"--version", "--verbose"}, "", 0, std::string("tovu ") + TOVU_VERSION_TEXT},
        {{"--verbose"}, "", 2, "tovu: --verbose goes with --version"},
        // Input that cannot be read, output that cannot be written.
        {{"numbers"}, "<&-", 1, "tovu numbers: cannot read standard input: Bad file descriptor"},
        {{"numbers"}, "</", 1, "tovu numbers: cannot read standard input: Is a directory"},
        {{"numbers", "--lines"}, "</", 1, "tovu numbers: cannot read standard input: Is a directory"},
        {{"messages", "import", "-"}, "</", 1, "tovu messages import: cannot read standard input: Is a directory"},
        {{"messages", "import", "/"}, "", 1, "tovu messages import: cannot read /: Is a directory"},
        {{"numbers", "0501234567"}, ">/dev/full", 1, "tovu numbers: cannot write the output: No space left on device"},
        {{"numbers", "--json", "x"}, ">/dev/full", 1, "tovu numbers: cannot write the output: No space left on device"},
        {{"numbers", "--lines"}, "</etc/passwd >/dev/full", 1, "tovu numbers: cannot write the output: No space"},
        {{"open", "050"}, ">/dev/full", 1, "tovu open: cannot write the output: No space left on device"},
        {{"numbers", "-h"}, ">/dev/full", 1, "tovu numbers: cannot write the output: No space left on device"},
        {{"--version"}, ">/dev/full", 1, "tovu: cannot write the output: No space left on device"},
        // Qt's and the session manager's arguments pass to the tray
        // application, which then finds no display.
        {{}, "", 1, "tovu: no graphical session here (neither DISPLAY"},
        {{"-session", "1234abc", "-style", "fusion"}, "", 1, "tovu: no graphical session here (neither DISPLAY"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments) + " " + c.redirects);
        const Result result = tovu(c.arguments, "", isolated, c.redirects);
        EXPECT_EQ(result.exitCode, c.exitCode);
        const std::string& shown = result.err.empty() ? result.out : result.err;
        EXPECT_EQ(shown.substr(0, c.firstLine.size()), c.firstLine);
        if (c.exitCode == 2) {
            EXPECT_EQ(result.err.substr(result.err.find('\n') + 1, 7), "usage: ");
        } else if (c.exitCode == 0) {
            EXPECT_EQ(result.err, "");
        }
    }
}

// A display that is named but does not answer (a session that has ended, a
// mistyped number) is a message and exit 1, never Qt's abort; --diagnose
// reports it, and the region every command and the panel use.
TEST(CommandLine, TheSessionAroundTovuIsReportedAsItIs) {
    const std::string isolated = "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u TZ XDG_CONFIG_HOME=/nonexistent ";
    const struct {
        std::string environment;
        std::vector<std::string> arguments;
        int exitCode;
        std::string line;  // a line of standard error or output begins so
    } cases[] = {
        {"DISPLAY=:7919", {}, 1, "tovu: cannot reach the display :7919 (DISPLAY): no X server listens there."},
        {"DISPLAY=unix:7919.0", {"--show"}, 1, "tovu: cannot reach the display unix:7919.0 (DISPLAY)"},
        {"DISPLAY=7919", {}, 1, "tovu: cannot reach the display 7919 (DISPLAY): not a display name."},
        {"WAYLAND_DISPLAY=wayland-7919 XDG_RUNTIME_DIR=/tmp",
         {},
         1,
         "tovu: cannot reach the display wayland-7919 (WAYLAND_DISPLAY)"},
        {"WAYLAND_DISPLAY=wayland-7919",
         {},
         1,
         "tovu: cannot reach the display wayland-7919 (WAYLAND_DISPLAY): XDG_RUNTIME_DIR is not set."},
        {"DISPLAY=:7919",
         {"--diagnose"},
         0,
         "display server: X11 (DISPLAY=:7919), unreachable: no X server listens there; checked offscreen"},
        {"", {"--diagnose"}, 0, "display server: none; checked offscreen"},
        {"TZ=:/usr/share/zoneinfo/posix/Europe/Helsinki",
         {"--diagnose"},
         0,
         "region: FI (time zone Europe/Helsinki, from TZ)"},
        {"TZ=/usr/share/zoneinfo/Europe/Podgorica", {"numbers", "067 123 456"}, 0, "+382 67123456\t38267123456"},
        {"TZ=right/Asia/Dubai", {"numbers", "050 123 4567"}, 0, "+971 50 123 4567\t971501234567"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment + " " + ::testing::PrintToString(c.arguments));
        const Result result = tovu(c.arguments, "", isolated + c.environment);
        EXPECT_EQ(result.exitCode, c.exitCode);
        const std::string shown = "\n" + result.err + result.out;
        EXPECT_NE(shown.find("\n" + c.line), std::string::npos) << shown;
    }
}

TEST(NumbersCommand, LongInputStreamsThroughLineByLine) {
    std::string lines;
    for (int i = 0; i < 100000; ++i) lines += i % 2 ? "nothing here\n" : "050 123 4567\n";
    const Result result = tovu({"numbers", "--lines"}, lines + std::string(1 << 20, '7'));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 100001);
    EXPECT_EQ(result.out.substr(0, 17), "+966 50 123 4567\t");
}
