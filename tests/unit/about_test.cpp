// The About window's pure parts: the centring rule, the layout at the user's
// scale and the texts it shows.
#include <gtest/gtest.h>

#include <string>

#include "about/about_layout.h"
#include "about/about_texts.h"

using about::centredWindowOrigin;
using about::layoutForDpi;
using about::scaledForDpi;

namespace {

void expectBox(const about::Box& box, int x, int y, int width, int height) {
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

void expectFont(const about::FontSpec& font, int height, int width, int weight, bool underline) {
    EXPECT_EQ(font.height, height);
    EXPECT_EQ(font.width, width);
    EXPECT_EQ(font.weight, weight);
    EXPECT_EQ(font.underline, underline);
}

}  // namespace

TEST(AboutCentring, HalfTheSpareSpaceOnCommonScreens) {
    EXPECT_EQ(centredWindowOrigin(1920, 1080).x, 760);
    EXPECT_EQ(centredWindowOrigin(1920, 1080).y, 390);
    EXPECT_EQ(centredWindowOrigin(1366, 768).x, 483);
    EXPECT_EQ(centredWindowOrigin(1366, 768).y, 234);
    // An odd spare space loses its half pixel.
    EXPECT_EQ(centredWindowOrigin(1025, 601).x, 312);
    EXPECT_EQ(centredWindowOrigin(1025, 601).y, 150);
}

TEST(AboutCentring, SmallScreensTruncateTowardZero) {
    EXPECT_EQ(centredWindowOrigin(300, 200).x, -50);
    EXPECT_EQ(centredWindowOrigin(300, 200).y, -50);
    // -0.5 and -49.5: toward zero, not down.
    EXPECT_EQ(centredWindowOrigin(399, 299).x, 0);
    EXPECT_EQ(centredWindowOrigin(399, 299).y, 0);
    EXPECT_EQ(centredWindowOrigin(301, 201).x, -49);
    EXPECT_EQ(centredWindowOrigin(301, 201).y, -49);
    EXPECT_EQ(centredWindowOrigin(400, 300).x, 0);
}

TEST(AboutLayout, At96DpiItIsTheDesignWithThePictureAtItsOwnSize) {
    about::Layout layout = layoutForDpi(96, 110, 83);
    EXPECT_EQ(layout.windowWidth, 400);
    EXPECT_EQ(layout.windowHeight, 300);
    expectBox(layout.notice, 20, 150, 380, 80);
    expectBox(layout.heading, 90, 20, 280, 20);
    expectBox(layout.button, 150, 210, 100, 32);
    expectBox(layout.picture, 142, 55, 110, 83);
    expectFont(layout.bodyFont, 16, 6, 400, false);
    expectFont(layout.headingFont, 18, 8, 700, true);
    // An unknown scale is the design's.
    about::Layout unknown = layoutForDpi(0, 110, 83);
    EXPECT_EQ(unknown.dpi, 96);
    EXPECT_EQ(unknown.windowWidth, 400);
    expectBox(unknown.picture, 142, 55, 110, 83);
}

TEST(AboutLayout, At144DpiEverythingIsHalfAsLargeAgainAndCentred) {
    about::Layout layout = layoutForDpi(144, 110, 83);
    EXPECT_EQ(layout.windowWidth, 600);
    EXPECT_EQ(layout.windowHeight, 450);
    about::Point origin = centredWindowOrigin(1920, 1080, layout.windowWidth, layout.windowHeight);
    EXPECT_EQ(origin.x, 660);
    EXPECT_EQ(origin.y, 315);
    expectBox(layout.notice, 30, 225, 570, 120);
    expectBox(layout.heading, 135, 30, 420, 30);
    expectBox(layout.button, 225, 315, 150, 48);
    // 82.5 and 124.5 round up, as MulDiv rounds.
    expectBox(layout.picture, 213, 83, 165, 125);
    expectFont(layout.bodyFont, 24, 9, 400, false);
    expectFont(layout.headingFont, 27, 12, 700, true);
}

TEST(AboutLayout, LengthsRoundHalfAwayFromZero) {
    EXPECT_EQ(scaledForDpi(400, 120), 500);
    EXPECT_EQ(scaledForDpi(1, 120), 1);   // 1.25
    EXPECT_EQ(scaledForDpi(2, 120), 3);   // 2.5
    EXPECT_EQ(scaledForDpi(6, 168), 11);  // 10.5
    EXPECT_EQ(scaledForDpi(-55, 144), -83);
    EXPECT_EQ(scaledForDpi(300, 192), 600);
    EXPECT_EQ(scaledForDpi(300, -1), 300);
    // Large lengths do not overflow on the way.
    EXPECT_EQ(scaledForDpi(20000000, 480), 100000000);
}

TEST(AboutTexts, NoticeIsThreeLinesJoinedByCrLf) {
    const std::string notice = about::noticeText();
    std::size_t first = notice.find("\r\n");
    ASSERT_NE(first, std::string::npos);
    std::size_t second = notice.find("\r\n", first + 2);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(notice.find("\r\n", second + 2), std::string::npos);
    // No bare line feed or carriage return anywhere else, and no empty line.
    std::string rest = notice;
    rest.erase(second, 2);
    rest.erase(first, 2);
    EXPECT_EQ(rest.find_first_of("\r\n"), std::string::npos);
    EXPECT_GT(first, 0u);
    EXPECT_GT(second, first + 2);
    EXPECT_LT(second + 2, notice.size());

    const std::string rights = notice.substr(0, first);
    EXPECT_NE(rights.find(about::kMakerName), std::string::npos);
    EXPECT_NE(rights.find(about::kRightsYears), std::string::npos);
    EXPECT_NE(notice.substr(first, second - first).find(about::kMakerHost), std::string::npos);
    EXPECT_NE(notice.substr(second).find(about::kSupportAddress), std::string::npos);
}

TEST(AboutTexts, WebsiteIsTheMakersRootWithTheQuery) {
    EXPECT_EQ(about::websiteUrl(),
              std::string("https://") + about::kMakerHost + "/?utm_source=About");
}

TEST(AboutTexts, PlainTextCarriesEveryFactWithoutCarriageReturns) {
    const std::string text = about::plainText();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.rfind(about::kHeading, 0), 0u);
    EXPECT_NE(text.find(about::kSupportAddress), std::string::npos);
    EXPECT_NE(text.find(about::websiteUrl()), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}
