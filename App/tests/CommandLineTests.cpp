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

Result tovu(const std::vector<std::string>& arguments, const std::string& input = "",
            const std::string& environment = "TZ=Asia/Riyadh") {
    const auto dir = std::filesystem::temp_directory_path() / ("tovu-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    std::string command = "env " + environment + " " + quoted(TOVU_EXECUTABLE);
    for (const auto& argument : arguments) command += " " + quoted(argument);
    command += " <" + quoted(dir / "in") + " >" + quoted(dir / "out") + " 2>" + quoted(dir / "err");
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
        {{"numbers", "--lines", "--json", "0501234567\nx"}, "", "[" + kMobileJSON + "]\n[]\n"},
        {{"numbers", "--json"}, "", "[]\n"},
        {{"numbers"}, "hello", ""},
        {{"numbers", "--region=gb", "07400 123456"}, "", "+44 7400123456\t447400123456\tmobile\n"},
        {{"numbers", "--", "--json"}, "", ""},  // after "--" everything is text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const Result result = tovu(c.arguments, c.input);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "");
    }
}

TEST(NumbersCommand, DefaultRegionFollowsTheTimeZone) {
    EXPECT_EQ(tovu({"numbers", "07400 123456"}, "", "TZ=Europe/London").out, "+44 7400123456\t447400123456\tmobile\n");
    EXPECT_EQ(tovu({"numbers", "07400 123456"}, "", "TZ=UTC").out, "");  // no region: SA
    EXPECT_EQ(tovu({"numbers", "0501234567"}, "", "TZ=UTC").out, "+966 50 123 4567\t966501234567\tmobile\n");
}

TEST(NumbersCommand, UsageErrorsExitWithTwo) {
    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {{"numbers", "--region", "XX", "0501234567"}, "tovu numbers: unknown region \"XX\""},
        {{"numbers", "--region"}, "tovu numbers: --region needs a region id"},
        {{"numbers", "--frobnicate"}, "tovu numbers: unknown option --frobnicate"},
        {{"dial"}, "tovu: unknown command \"dial\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const Result result = tovu(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.substr(0, c.err.size()), c.err);
    }
}

TEST(NumbersCommand, VersionHelpAndLongInput) {
    EXPECT_EQ(tovu({"--version"}).out, std::string("tovu ") + TOVU_VERSION_TEXT + "\n");
    const Result help = tovu({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("tovu numbers [--region ID]"), std::string::npos);

    std::string lines;
    for (int i = 0; i < 100000; ++i) lines += i % 2 ? "nothing here\n" : "050 123 4567\n";
    const Result result = tovu({"numbers", "--lines"}, lines + std::string(1 << 20, '7'));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 100001);
    EXPECT_EQ(result.out.substr(0, 17), "+966 50 123 4567\t");
}

TEST(NumbersCommand, TheTrayAppWithoutADisplaySaysSo) {
    const Result result = tovu({}, "", "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TZ=UTC");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.substr(0, 36), "tovu: no graphical session here (nei");
}
