// Reading the host's command line: switches, the handle three characters after
// the slash, the last switch winning, and never reading past the end. Then
// XScreenSaver's command line for hacks and the run it becomes.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/xscreensaver_arguments.h"
#include "app/xscreensaver_hack.h"

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

// argv with the program's name in front, as main receives it.
XScreenSaverArguments readHackArguments(std::vector<const char*> arguments,
                                        const char* screensaverWindow = nullptr) {
    arguments.insert(arguments.begin(), "glimmerpond3d");
    return readXScreenSaverArguments(static_cast<int>(arguments.size()), arguments.data(),
                                     screensaverWindow);
}

NativeWindowHandle windowId(const char* text) {
    NativeWindowHandle id = 12345;
    return readWindowId(text, &id) ? id : 0;
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

TEST(ReadWindowId, HexWithItsPrefixOrDecimalWithWhiteSpaceAround) {
    EXPECT_EQ(windowId("0x1a00007"), 0x1a00007u);
    EXPECT_EQ(windowId("0X1A00007"), 0x1a00007u);
    EXPECT_EQ(windowId("27262983"), 27262983u);
    EXPECT_EQ(windowId("  0x400001 \n"), 0x400001u);
    // No octal: a leading zero is just a decimal digit.
    EXPECT_EQ(windowId("010"), 10u);
    EXPECT_EQ(windowId("0xFFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(windowId("4294967295"), 4294967295u);
}

TEST(ReadWindowId, AnythingElseIsRefusedAndLeavesTheIdAlone) {
    for (const char* text : {"", "  ", "0", "0x0", "0x", "x10", "12abc", "0x1g", "1 2", "-5", "+5",
                             "4294967296", "0x100000000", "99999999999999999999999"}) {
        NativeWindowHandle id = 77;
        EXPECT_FALSE(readWindowId(text, &id)) << text;
        EXPECT_EQ(id, 77u) << text;
    }
    NativeWindowHandle id = 77;
    EXPECT_FALSE(readWindowId(nullptr, &id));
}

TEST(XScreenSaverArguments, EachSwitchWithOneDashOrTwo) {
    for (const char* root : {"--root", "-root"}) {
        XScreenSaverArguments read = readHackArguments({root}, "0x600008");
        EXPECT_EQ(read.target, HackWindow::Given) << root;
        EXPECT_EQ(read.window, 0x600008u) << root;
    }
    for (const char* windowIdSwitch : {"--window-id", "-window-id"}) {
        XScreenSaverArguments read = readHackArguments({windowIdSwitch, "4242"});
        EXPECT_EQ(read.target, HackWindow::Given) << windowIdSwitch;
        EXPECT_EQ(read.window, 4242u) << windowIdSwitch;
        EXPECT_EQ(read.error, "") << windowIdSwitch;
    }
    EXPECT_EQ(readHackArguments({"--window"}).target, HackWindow::OwnWindow);
    EXPECT_EQ(readHackArguments({"-window"}).target, HackWindow::OwnWindow);
    EXPECT_TRUE(readHackArguments({"--root", "--fps"}).showFps);
    EXPECT_TRUE(readHackArguments({"-fps", "-window"}).showFps);
    EXPECT_FALSE(readHackArguments({"--root"}).showFps);
}

TEST(XScreenSaverArguments, RootDrawsOnTheDaemonsWindowElseOnTheRootWindow) {
    EXPECT_EQ(readHackArguments({"--root"}, "6291464").window, 6291464u);
    for (const char* unusable : {"", "window", "0", "0x", "12 34"}) {
        XScreenSaverArguments read = readHackArguments({"--root"}, unusable);
        EXPECT_EQ(read.target, HackWindow::Root) << unusable;
        EXPECT_EQ(read.window, 0u) << unusable;
    }
    EXPECT_EQ(readHackArguments({"--root"}, nullptr).target, HackWindow::Root);
    // The variable matters only to --root.
    XScreenSaverArguments byId = readHackArguments({"--window-id", "0x10"}, "0x600008");
    EXPECT_EQ(byId.window, 0x10u);
}

TEST(XScreenSaverArguments, TheLastWindowSwitchWins) {
    XScreenSaverArguments ownLast = readHackArguments({"--window-id", "0x10", "--window"});
    EXPECT_EQ(ownLast.target, HackWindow::OwnWindow);
    EXPECT_EQ(ownLast.window, 0u);
    XScreenSaverArguments idLast = readHackArguments({"--root", "--window-id", "0x20"}, "0x30");
    EXPECT_EQ(idLast.target, HackWindow::Given);
    EXPECT_EQ(idLast.window, 0x20u);
    XScreenSaverArguments rootLast = readHackArguments({"--window-id", "0x20", "-root"}, "0x30");
    EXPECT_EQ(rootLast.window, 0x30u);
}

TEST(XScreenSaverArguments, AWindowIdSwitchWithoutAUsableIdIsAnError) {
    XScreenSaverArguments missing = readHackArguments({"--window-id"});
    EXPECT_EQ(missing.target, HackWindow::Given);
    EXPECT_NE(missing.error, "");
    XScreenSaverArguments wrong = readHackArguments({"--window-id", "preview", "--fps"});
    EXPECT_NE(wrong.error.find("\"preview\""), std::string::npos) << wrong.error;
    // The value is taken even when it looks like a switch, and not read again as one.
    XScreenSaverArguments switchAsValue = readHackArguments({"-window-id", "--window"});
    EXPECT_EQ(switchAsValue.target, HackWindow::Given);
    EXPECT_NE(switchAsValue.error, "");
}

TEST(XScreenSaverArguments, OtherCommandLinesAreLeftToTheWindowsStyleReader) {
    for (std::vector<const char*> arguments :
         std::vector<std::vector<const char*>>{{},
                                               {"/s"},
                                               {"/p", "1234"},
                                               {"/c"},
                                               {"-s"},
                                               {"--fps"},
                                               {"root"},
                                               {"---root"},
                                               {"--roots"},
                                               {"--window-id=5"}}) {
        XScreenSaverArguments read = readHackArguments(arguments, "0x600008");
        EXPECT_EQ(read.target, HackWindow::None) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_EQ(read.error, "");
    }
}

TEST(HackCommandLine, EveryWindowIsAHandedWindowPacedByTheDelay) {
    XScreenSaverArguments given = readHackArguments({"--window-id", "0x5000"});
    CommandLine intoGiven = hackCommandLine(given, 0x100);
    EXPECT_EQ(intoGiven.mode, HandedWindow);
    EXPECT_EQ(intoGiven.hostWindow, 0x5000u);
    EXPECT_DOUBLE_EQ(intoGiven.frameDelaySeconds, 0.03);

    CommandLine intoRoot = hackCommandLine(readHackArguments({"--root", "-delay", "0"}), 0x100);
    EXPECT_EQ(intoRoot.mode, HandedWindow);
    EXPECT_EQ(intoRoot.hostWindow, 0x100u);
    EXPECT_DOUBLE_EQ(intoRoot.frameDelaySeconds, 0.0);

    CommandLine own = hackCommandLine(readHackArguments({"--window", "--delay", "100000"}), 0x200);
    EXPECT_EQ(own.mode, HandedWindow);
    EXPECT_EQ(own.hostWindow, 0x200u);
    EXPECT_DOUBLE_EQ(own.frameDelaySeconds, 0.1);

    CommandLine none = hackCommandLine(readHackArguments({"/s"}), 0x200);
    EXPECT_EQ(none.mode, NoSwitch);
    EXPECT_LT(none.frameDelaySeconds, 0.0);
}

TEST(XScreenSaverArguments, DelayTakesWholeMicrosecondsUpToAMinute) {
    EXPECT_EQ(readHackArguments({"--root"}).delayMicroseconds, kDefaultDelayMicroseconds);
    EXPECT_EQ(readHackArguments({"--root", "--delay", " 20000 "}).delayMicroseconds, 20000);
    EXPECT_EQ(readHackArguments({"-delay", "10", "--root", "-delay", "50"}).delayMicroseconds, 50);
    EXPECT_EQ(readHackArguments({"--root", "--delay", "60000000"}).delayMicroseconds, 60000000);
    for (const char* wrong : {"", "-5", "1e4", "30ms", "60000001", "99999999999999999999"}) {
        XScreenSaverArguments read = readHackArguments({"--root", "--delay", wrong});
        EXPECT_NE(read.error, "") << wrong;
        EXPECT_EQ(read.delayMicroseconds, kDefaultDelayMicroseconds) << wrong;
    }
    EXPECT_NE(readHackArguments({"--root", "--delay"}).error, "");
}

// The settings' switches, read by the table of settings, reach the run.
TEST(HackCommandLine, TheSettingsSwitchesFromTheTableReachTheRun) {
    CommandLine line = hackCommandLine(
        readHackArguments({"--root", "--speed", "0.25", "-change-seconds", "0", "--pictures",
                           "tiles,mosaic", "--frame-rate", "about-30", "--delay", "20000"}),
        0x100);
    EXPECT_EQ(line.settings.waterSpeedPercent, 25u);
    EXPECT_EQ(line.settings.pictureChangeSeconds, 0u);
    EXPECT_EQ(line.settings.picturesShown, (1u << 2) | (1u << 7));
    EXPECT_EQ(line.settings.frameRate, FrameRateChoice::About30);
    EXPECT_DOUBLE_EQ(line.frameDelaySeconds, 0.02);
    EXPECT_EQ(hackCommandLine(readHackArguments({"--window"}), 0x100).settings, UserSettings());

    XScreenSaverArguments wrong = readHackArguments({"--root", "--speed", "3", "--pictures", "x"});
    EXPECT_NE(wrong.error.find("--speed"), std::string::npos) << wrong.error;
    EXPECT_NE(readHackArguments({"--root", "--frame-rate"}).error, "");
}
