// The window's size: the Windows version word and whether it keeps the
// display's mode, the full-screen size rule and the aspect ratio that the
// renderer reads.
#include <gtest/gtest.h>

#include "app/window_size.h"
#include "platform/windows_version.h"

TEST(WindowsVersion, DecodesTheLowWordOfGetVersion) {
    EXPECT_EQ(windowsVersion(0x0A280105u), 51);  // XP, build 2600 in the high word
    EXPECT_EQ(windowsVersion(0x17700006u), 60);  // Vista
    EXPECT_EQ(windowsVersion(0x1DB10106u), 61);  // 7
    EXPECT_EQ(windowsVersion(0x23F00206u), 62);  // 8 and later without a manifest
    EXPECT_EQ(windowsVersion(0x0000000Au), 100);
}

TEST(FullScreenWindowSize, VistaAndLaterKeepThePrimaryMode) {
    WindowSize mode{1920, 1080};
    WindowSize xp = fullScreenWindowSize(windowsKeepsDisplayMode(51), mode);
    EXPECT_EQ(xp.width, 800);
    EXPECT_EQ(xp.height, 600);
    WindowSize vista = fullScreenWindowSize(windowsKeepsDisplayMode(60), mode);
    EXPECT_EQ(vista.width, 1920);
    EXPECT_EQ(vista.height, 1080);
}

TEST(FullScreenWindowSize, MissingModeFallsBackTo800By600) {
    for (WindowSize missing : {WindowSize{}, WindowSize{1920, 0}, WindowSize{0, 1080}}) {
        WindowSize size = fullScreenWindowSize(true, missing);
        EXPECT_EQ(size.width, 800);
        EXPECT_EQ(size.height, 600);
    }
}

TEST(AspectRatio, WidthOverHeightAndZeroHeightKeepsThePrevious) {
    EXPECT_FLOAT_EQ(aspectRatioOf(1920, 1080, 1.0f), 1920.0f / 1080.0f);
    EXPECT_FLOAT_EQ(aspectRatioOf(152, 112, 1.0f), 152.0f / 112.0f);
    EXPECT_FLOAT_EQ(aspectRatioOf(0, 0, 1.5f), 1.5f);
    EXPECT_FLOAT_EQ(aspectRatioOf(640, 0, 1.25f), 1.25f);
}

TEST(AspectRatio, ResizeUpdatesTheWindowState) {
    WindowState state;
    state.resize(1024, 768);
    EXPECT_EQ(state.width, 1024);
    EXPECT_EQ(state.height, 768);
    EXPECT_FLOAT_EQ(state.aspectRatio, 1024.0f / 768.0f);
    // A minimised window reports 0 x 0: the size follows, the ratio stays usable.
    state.resize(0, 0);
    EXPECT_EQ(state.width, 0);
    EXPECT_EQ(state.height, 0);
    EXPECT_FLOAT_EQ(state.aspectRatio, 1024.0f / 768.0f);
}

TEST(DesktopSpanning, HoldsEveryMonitorWhereverThePrimaryIs) {
    // Side by side, of different heights: the strip below the smaller one is covered too.
    const ScreenRect two = desktopSpanning({{0, 0, 1280, 720}, {1280, 0, 1024, 768}});
    EXPECT_EQ(std::vector<int>({two.x, two.y, two.width, two.height}),
              std::vector<int>({0, 0, 2304, 768}));
    // A monitor left of and above the primary reaches into negative coordinates.
    const ScreenRect left = desktopSpanning({{0, 0, 1920, 1080}, {-1280, -200, 1280, 1024}});
    EXPECT_EQ(std::vector<int>({left.x, left.y, left.width, left.height}),
              std::vector<int>({-1280, -200, 3200, 1280}));
    // One monitor is itself; a monitor without a size counts for nothing.
    const ScreenRect one = desktopSpanning({{0, 0, 0, 0}, {0, 0, 800, 600}});
    EXPECT_EQ(std::vector<int>({one.x, one.y, one.width, one.height}),
              std::vector<int>({0, 0, 800, 600}));
    EXPECT_EQ(desktopSpanning({}).width, 0);
}

namespace {

std::vector<int> placeOf(const CoverWindow& window) {
    return {window.area.x,
            window.area.y,
            window.area.width,
            window.area.height,
            window.ownsPrimaryMonitor,
            window.showsWater};
}

}  // namespace

TEST(CoverWindows, OneWindowForOneSceneOrOneMonitorAndOnePerMonitorOtherwise) {
    // The main monitor on the right, listed second; a monitor without a size between.
    const std::vector<ScreenRect> two{{-1024, 0, 1024, 768}, {0, 0, 0, 0}, {0, 0, 1280, 720}};
    const DesktopCover spanning{true, desktopSpanning(two)};
    const std::vector<CoverWindow> span = coverWindows(spanning, two, MonitorChoice::SpanAll);
    ASSERT_EQ(span.size(), 1u);
    EXPECT_EQ(placeOf(span[0]), std::vector<int>({-1024, 0, 2304, 768, false, true}));

    const std::vector<CoverWindow> each = coverWindows(spanning, two, MonitorChoice::EachMonitor);
    ASSERT_EQ(each.size(), 2u);
    EXPECT_EQ(placeOf(each[0]), std::vector<int>({0, 0, 1280, 720, false, true}));
    EXPECT_EQ(placeOf(each[1]), std::vector<int>({-1024, 0, 1024, 768, false, true}));

    const std::vector<CoverWindow> main = coverWindows(spanning, two, MonitorChoice::MainOnly);
    ASSERT_EQ(main.size(), 2u);
    EXPECT_EQ(placeOf(main[0]), std::vector<int>({0, 0, 1280, 720, false, true}));
    EXPECT_EQ(placeOf(main[1]), std::vector<int>({-1024, 0, 1024, 768, false, false}));

    // A monitor unplugged: every choice is the one full-screen window again,
    // so a run that follows the desktop sees its windows change.
    const std::vector<ScreenRect> one{{0, 0, 1280, 720}};
    for (MonitorChoice choice : {MonitorChoice::EachMonitor, MonitorChoice::MainOnly}) {
        const std::vector<CoverWindow> single = coverWindows({false, one[0]}, one, choice);
        ASSERT_EQ(single.size(), 1u);
        EXPECT_EQ(placeOf(single[0]), std::vector<int>({0, 0, 1280, 720, true, true}));
        EXPECT_FALSE(single == coverWindows(spanning, two, choice));
    }
}

TEST(CoverWindows, TheMainMonitorIsAtTheOriginOrElseTheFirstWithASize) {
    EXPECT_EQ(primaryMonitorIndex({{1280, 0, 1024, 768}, {0, 0, 1280, 720}}), 1);
    EXPECT_EQ(primaryMonitorIndex({{0, 0, 0, 0}, {100, 0, 800, 600}, {900, 0, 800, 600}}), 1);
    EXPECT_EQ(primaryMonitorIndex({}), -1);
    // Two monitors of which only one has a size are one window.
    const std::vector<ScreenRect> oneSized{{0, 0, 800, 600}, {800, 0, 0, 0}};
    EXPECT_EQ(coverWindows({true, desktopSpanning(oneSized)}, oneSized, MonitorChoice::EachMonitor)
                  .size(),
              1u);
}
