// How a saver reads the command lines Windows and programs give it.
#include <gtest/gtest.h>

#include "saver_args.h"

namespace {

struct ArgsCase {
    const char* args;
    SaverMode mode;
    std::uintptr_t window;
};

const ArgsCase kArgsCases[] = {
    {"", SaverMode::Configure, 0},
    {"   ", SaverMode::Configure, 0},
    {"/s", SaverMode::FullScreen, 0},
    {"/S", SaverMode::FullScreen, 0},
    {"-s", SaverMode::FullScreen, 0},
    {" /s ", SaverMode::FullScreen, 0},
    {"/p 1234", SaverMode::Preview, 1234},
    {"/P\t987654", SaverMode::Preview, 987654},
    {"/p:4660", SaverMode::Preview, 4660},
    {"/p", SaverMode::Nothing, 0},
    {"/p 0", SaverMode::Nothing, 0},
    {"/p 12ab", SaverMode::Nothing, 0},
    {"/p 99999999999999999999999", SaverMode::Nothing, 0},
    {"/c", SaverMode::Configure, 0},
    {"/C:1234", SaverMode::Configure, 1234},
    {"/c 77", SaverMode::Configure, 77},
    {"/c:x", SaverMode::Nothing, 0},
    {"/a", SaverMode::Nothing, 0},
    {"/save", SaverMode::Nothing, 0},
    {"junk", SaverMode::Nothing, 0},
};

class SaverArgsTest : public ::testing::TestWithParam<ArgsCase> {};

TEST_P(SaverArgsTest, ReadsModeAndWindow) {
    const ArgsCase& c = GetParam();
    SaverArgs parsed = ParseSaverArgs(c.args);
    EXPECT_EQ(parsed.mode, c.mode) << "args: \"" << c.args << "\"";
    EXPECT_EQ(parsed.window, c.window) << "args: \"" << c.args << "\"";
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SaverArgsTest, ::testing::ValuesIn(kArgsCases));

}  // namespace
