#include <gtest/gtest.h>

#include "platform/CommandLine.h"

namespace agendix::platform {
namespace {

TEST(CommandLine, SplitsAsWindowsProgramsReadTheirArguments) {
    struct Case {
        const char* name;
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"plain words", "edit notes.txt", {"edit", "notes.txt"}},
        {"runs of blanks and tabs", "  a \t b  ", {"a", "b"}},
        {"quotes group blanks", "\"/opt/my editor/edit\" \"my notes.txt\" -x", {"/opt/my editor/edit", "my notes.txt", "-x"}},
        {"quotes inside a word", "a\"b c\"d", {"ab cd"}},
        {"doubled quote inside quotes", "\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"backslashes stay before other characters", "c:\\dir\\file.txt", {"c:\\dir\\file.txt"}},
        {"escaped quote", "a\\\"b", {"a\"b"}},
        {"paired backslashes before a quote", "\"a\\\\\" b", {"a\\", "b"}},
        {"empty quotes are an empty argument", "prog \"\"", {"prog", ""}},
        {"shell characters are plain text", "echo $(rm -rf ~); ls | wc", {"echo", "$(rm", "-rf", "~);", "ls", "|", "wc"}},
        {"nothing", "   ", {}},
        {"an unclosed quote runs to the end", "\"open end", {"open end"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitCommandLine(c.line), c.words);
    }
}

}  // namespace
}  // namespace agendix::platform
