// The About window's pure parts: the centring rule and the texts it shows.
#include <gtest/gtest.h>

#include <string>

#include "about/about_layout.h"
#include "about/about_texts.h"

using about::centredWindowOrigin;

TEST(AboutCentring, HalfTheSpareRoomOnCommonScreens) {
    EXPECT_EQ(centredWindowOrigin(1920, 1080).x, 760);
    EXPECT_EQ(centredWindowOrigin(1920, 1080).y, 390);
    EXPECT_EQ(centredWindowOrigin(1366, 768).x, 483);
    EXPECT_EQ(centredWindowOrigin(1366, 768).y, 234);
    // An odd spare room loses its half pixel.
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
