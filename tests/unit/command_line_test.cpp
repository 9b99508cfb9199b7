// Reading the host's command line: switches, the handle three characters after
// the slash, the last switch winning, and never reading past the end.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/command_line.h"

namespace {

NativeWindowHandle handle(int number) {
    return static_cast<NativeWindowHandle>(static_cast<std::intptr_t>(number));
}

// The text copied into a buffer of exactly its size, so that AddressSanitizer
// reports any read past its terminating NUL.
CommandLine readExact(const std::string& text) {
    std::unique_ptr<char[]> buffer(new char[text.size() + 1]);
    std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
    return CommandLine(buffer.get());
}

}  // namespace

TEST(CommandLine, EmptyAndUnrecognisedTextsGiveASwitchlessRun) {
    for (const char* text : {"", "   ", "/S", "/P 1234", "/C", "/x 12", "s p c", "-s"}) {
        CommandLine line = readExact(text);
        EXPECT_EQ(line.mode, NoSwitch) << text;
        EXPECT_EQ(line.hostWindow, 0u) << text;
    }
    CommandLine none(nullptr);
    EXPECT_EQ(none.mode, NoSwitch);
}

TEST(CommandLine, EachLowerCaseSwitchSetsItsMode) {
    EXPECT_EQ(readExact("/s").mode, FullScreen);
    EXPECT_EQ(readExact("/c").mode, Configure);
    EXPECT_EQ(readExact("/p 1").mode, Preview);
    EXPECT_EQ(readExact("  /s  ").mode, FullScreen);
}

TEST(CommandLine, HandleStartsThreeCharactersAfterTheSlash) {
    EXPECT_EQ(readExact("/p 1234").hostWindow, handle(1234));
    EXPECT_EQ(readExact("/p:1234").hostWindow, handle(1234));
    // The character after the letter is always a separator, even a digit.
    EXPECT_EQ(readExact("/p1234").hostWindow, handle(234));
    CommandLine configure = readExact("/c:5678");
    EXPECT_EQ(configure.mode, Configure);
    EXPECT_EQ(configure.hostWindow, handle(5678));
}

TEST(CommandLine, LastSwitchWinsAndEveryLaterSlashRereadsTheHandle) {
    CommandLine previewAfterFullScreen = readExact("/s /p 99");
    EXPECT_EQ(previewAfterFullScreen.mode, Preview);
    EXPECT_EQ(previewAfterFullScreen.hostWindow, handle(99));

    CommandLine rereadByUnknownSwitch = readExact("/p 99 /x 7");
    EXPECT_EQ(rereadByUnknownSwitch.mode, Preview);
    EXPECT_EQ(rereadByUnknownSwitch.hostWindow, handle(7));

    // Before the first recognised switch a slash reads nothing.
    CommandLine unknownFirst = readExact("/x 12 /p 5");
    EXPECT_EQ(unknownFirst.mode, Preview);
    EXPECT_EQ(unknownFirst.hostWindow, handle(5));

    // A switch as the very last characters has no handle text: it reads 0.
    CommandLine endsInSwitch = readExact("/p 99 /s");
    EXPECT_EQ(endsInSwitch.mode, FullScreen);
    EXPECT_EQ(endsInSwitch.hostWindow, 0u);
}

TEST(CommandLine, SwitchAtTheEndOfTheTextReadsNothingPastIt) {
    // Where the text ends before the handle would begin, the handle reads 0,
    // also when it replaces one read earlier.
    for (const char* text : {"/", "/p", "/p ", "/s", "/c:", "x/", "/p 5 /", "/p 5 /s"}) {
        EXPECT_EQ(readExact(text).hostWindow, 0u) << text;
    }
    EXPECT_EQ(readExact("/p").mode, Preview);
    EXPECT_EQ(readExact("/").mode, NoSwitch);
    EXPECT_EQ(readExact("/p 5 /").mode, Preview);
}

TEST(CommandLine, HandleIsReadAsAtoiReadsIt) {
    EXPECT_EQ(readExact("/p \t  42").hostWindow, handle(42));
    EXPECT_EQ(readExact("/p +42").hostWindow, handle(42));
    EXPECT_EQ(readExact("/p 42abc").hostWindow, handle(42));
    EXPECT_EQ(readExact("/p abc").hostWindow, 0u);
    EXPECT_EQ(readExact("/p -7").hostWindow, handle(-7));
    EXPECT_EQ(readExact("/p 0x10").hostWindow, 0u);
}

TEST(ReadDecimal, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(readDecimal("2147483647"), INT_MAX);
    EXPECT_EQ(readDecimal("2147483648"), INT_MAX);
    EXPECT_EQ(readDecimal("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(readDecimal("-2147483648"), INT_MIN);
    EXPECT_EQ(readDecimal("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(readDecimal("-"), 0);
    EXPECT_EQ(readDecimal(""), 0);
}
