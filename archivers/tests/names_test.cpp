#include <gtest/gtest.h>

#include "command_line.h"
#include "extract.h"
#include "names.h"

namespace {

TEST(Names, Wildcards) {
    struct Case {
        const char* pattern;
        std::string path;
        bool match;
    } cases[] = {
        {"*.SCR", "saver.scr", true},
        {"*.SCR", "sub\\deeper\\Deep.Scr", true},
        {"*.SCR", "sub/Lower.scr", true},
        {"*.SCR", "readme.txt", false},
        {"*.SCR", "scr", false},
        {"*.SCR", "a.scrx", false},
        {"*.SCR", "sub.scr\\file.txt", false},
        {"*.*", "noext", true},
        {"A?C.scr", "abc.SCR", true},
        {"A?C.scr", "\x95\x5C" "C.scr", false},             // a double-byte character is one character...
        {"?C.scr", "\x95\x5C" "C.scr", true},               // ...for '?'
        {"*.scr", "\x95\x5C\x8E\xA6.SCR", true},
        {"\x95\x5C\x8E\xA6.SCR", "dir\\\x95\x5C\x8E\xA6.scr", true},
        {"\x95\x7C.SCR", "\x95\x5C.SCR", false},            // trail bytes are compared exactly
        {"dir\\*.scr", "dir/a.scr", true},
        {"dir\\*.scr", "other\\a.scr", false},
        {"Deep.Scr", "sub\\deeper\\DEEP.SCR", true},
    };
    for (const Case& c : cases) EXPECT_EQ(arc::MatchesWildcard(c.pattern, c.path), c.match) << c.pattern << " ~ " << c.path;
}

TEST(Names, SafeFileNames) {
    struct Case {
        std::string member, safe;
    } cases[] = {
        {"plain.scr", "plain.scr"},
        {"sub\\deeper\\Deep.Scr", "Deep.Scr"},
        {"..\\..\\evil.scr", "evil.scr"},
        {"../../evil.scr", "evil.scr"},
        {"C:\\Windows\\evil.scr", "evil.scr"},
        {"C:evil.scr", "evil.scr"},
        {"\\\\server\\share\\evil.scr", "evil.scr"},
        {"/etc/evil.scr", "evil.scr"},
        {"sub\\..", ""},
        {"..", ""},
        {"sub\\", ""},
        {"CON", ""},
        {"nul.scr", ""},
        {"Com1.scr", ""},
        {"lpt9", ""},
        {"CONOUT$", ""},
        {"console.scr", "console.scr"},
        {"evil.scr.", ""},
        {"evil.scr ", ""},
        {"a\x01" "b.scr", ""},
        {"a|b.scr", ""},
        {"\x95\x5C\x8E\xA6.SCR", "\x95\x5C\x8E\xA6.SCR"},  // 0x5C as a trail byte is no separator
        {"dir\\\x95\x5C.scr", "\x95\x5C.scr"},
        {"bad\x95", ""},                                   // a lead byte cut off
    };
    for (const Case& c : cases) EXPECT_EQ(arc::SafeFileName(c.member), c.safe) << c.member;
}

TEST(Names, CommandLines) {
    struct Case {
        const char* line;
        bool verb;
        std::string expectVerb, archive, destination, member;
        size_t switches;
    } cases[] = {
        {"e -n1 -jsc  \"C:\\lists\\savers.lzh\" \"C:\\Zelvista\\temp\\\" \"Deep.Scr\"", true, "e",
         "C:\\lists\\savers.lzh", "C:\\Zelvista\\temp\\", "Deep.Scr", 2},
        {"-x --i  \"C:\\a b\\s.zip\" \"C:\\t\\\" \"x y.scr\"", false, "", "C:\\a b\\s.zip", "C:\\t\\", "x y.scr", 2},
        {"-x -i -j  \"s.cab\" \"\x95\x5C\\\" \"\x95\x5C.scr\"", false, "", "s.cab", "\x95\x5C\\", "\x95\x5C.scr", 3},
        {"-x \"s.zip\" \"-odd.scr\"", false, "", "s.zip", "", "-odd.scr", 1},
    };
    for (const Case& c : cases) {
        const arc::ArchiverCommand cmd = arc::ParseArchiverCommand(c.line, c.verb);
        EXPECT_EQ(cmd.verb, c.expectVerb) << c.line;
        EXPECT_EQ(cmd.archive, c.archive) << c.line;
        EXPECT_EQ(cmd.destination, c.destination) << c.line;
        ASSERT_EQ(cmd.members.size(), 1u) << c.line;
        EXPECT_EQ(cmd.members[0], c.member) << c.line;
        EXPECT_EQ(cmd.switches.size(), c.switches) << c.line;
    }
    EXPECT_FALSE(arc::EndsWithSeparator("\x95\x5C"));
    EXPECT_TRUE(arc::EndsWithSeparator("\x95\x5C\\"));
}

}  // namespace
