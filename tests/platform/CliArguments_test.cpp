#include "platform/CliArguments.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

using Args = std::vector<std::string>;

CCliArguments Parse(Args args)
{
    return CCliArguments(std::move(args), {"--chunk", "--set"}, {"--fast"});
}

// Both forms of a value, flags, "--" and "-" as the usual tools take them.
TEST(CliArguments, TakeTheUnixForms)
{
    CCliArguments arguments = Parse({"--chunk=7", "--set", "A=1", "--set=B=2", "--fast", "-", "--", "--fast", "-h"});
    ASSERT_TRUE(arguments.Ok()) << arguments.Error();
    EXPECT_EQ(arguments.Integer("--chunk", 1, 10), 7);
    EXPECT_EQ(arguments.Values("--set"), (Args{"A=1", "B=2"}));
    EXPECT_TRUE(arguments.Has("--fast"));
    EXPECT_FALSE(arguments.Help());
    EXPECT_EQ(arguments.Positional(), (Args{"-", "--fast", "-h"}));
    // A value may look like an option.
    EXPECT_EQ(Parse({"--set", "--fast"}).Value("--set"), "--fast");
}

TEST(CliArguments, AskForHelpAnywhereBeforeTheEndOfOptions)
{
    for (const Args& args : {Args{"-h"}, Args{"file", "--help"}, Args{"--bogus", "-h"}}) {
        EXPECT_TRUE(Parse(args).Help()) << args.front();
    }
}

TEST(CliArguments, RefuseWhatTheyDoNotKnow)
{
    const std::pair<Args, const char*> cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x"}, "unknown option -x"},
        {{"--bogus=1"}, "unknown option --bogus"},
        {{"--fast=1"}, "option --fast takes no value"},
        {{"--chunk"}, "option --chunk needs a value"},
        {{"-x", "--chunk"}, "unknown option -x"},  // the first problem is told
    };
    for (const auto& [args, error] : cases) {
        const CCliArguments arguments = Parse(args);
        EXPECT_EQ(arguments.Error(), error) << args.front();
        EXPECT_FALSE(arguments.Has("--fast")) << args.front();
    }
    CCliArguments arguments = Parse({"--chunk=11"});
    EXPECT_EQ(arguments.Integer("--chunk", 1, 10), std::nullopt);
    EXPECT_EQ(arguments.Error(), "option --chunk needs an integer from 1 to 10");
}

}  // namespace
}  // namespace kestrion
