// The reader's text helpers on the line shapes OBJ and MTL texts contain.
#include <gtest/gtest.h>

#include "mesh/objl_text.h"

using objl::afterFirstWord;
using objl::firstWord;

TEST(ObjlText, WordsOfALine) {
    EXPECT_EQ(firstWord("\tKa 0.1 0.2 0.3\r"), "Ka");
    EXPECT_EQ(firstWord("   \t "), "");
    EXPECT_EQ(firstWord(""), "");
    EXPECT_EQ(afterFirstWord("v  -1.0000 1.0000 0.0000"), "-1.0000 1.0000 0.0000");
    EXPECT_EQ(afterFirstWord("f 1/1/1 2/2/1 3/3/1 "), "1/1/1 2/2/1 3/3/1");
    EXPECT_EQ(afterFirstWord("\tnewmtl wire_198225087\r"), "wire_198225087\r");
    EXPECT_EQ(afterFirstWord("usemtl"), "");
    EXPECT_EQ(afterFirstWord("o \t "), "");
}

TEST(ObjlText, SplitByTokenKeepsEmptyElementsBetweenTokens) {
    std::vector<std::string> out{"stale"};
    objl::splitByToken(out, "1//3", "/");
    EXPECT_EQ(out, (std::vector<std::string>{"1", "", "3"}));
    objl::splitByToken(out, "1 2 ", " ");
    EXPECT_EQ(out, (std::vector<std::string>{"1", "2"}));
    objl::splitByToken(out, "1  2", " ");
    EXPECT_EQ(out, (std::vector<std::string>{"1", "", "2"}));
    objl::splitByToken(out, "", " ");
    EXPECT_TRUE(out.empty());
    objl::splitByToken(out, "a--b", "--");
    EXPECT_EQ(out, (std::vector<std::string>{"a", "b"}));
}

TEST(ObjlText, TrimLineEndAndNumbers) {
    EXPECT_EQ(objl::trimLineEnd("name\r\n\r"), "name");
    EXPECT_EQ(objl::trimLineEnd("\r\n"), "\r\n");
    float f = 0;
    EXPECT_TRUE(objl::parseFloat("32\r", f));
    EXPECT_EQ(f, 32.0f);
    EXPECT_FALSE(objl::parseFloat("", f));
    EXPECT_FALSE(objl::parseFloat("x1", f));
    long long n = 0;
    EXPECT_TRUE(objl::parseInteger("-3abc", n));
    EXPECT_EQ(n, -3);
    EXPECT_FALSE(objl::parseInteger("99999999999999999999999", n));
}

TEST(ObjlText, ObjIndicesCountFromOneOrBackFromTheEnd) {
    std::size_t at = 99;
    EXPECT_TRUE(objl::positionByObjIndex(4, "1", at));
    EXPECT_EQ(at, 0u);
    EXPECT_TRUE(objl::positionByObjIndex(4, "4", at));
    EXPECT_EQ(at, 3u);
    EXPECT_TRUE(objl::positionByObjIndex(4, "-1", at));
    EXPECT_EQ(at, 3u);
    EXPECT_TRUE(objl::positionByObjIndex(4, "-4", at));
    EXPECT_EQ(at, 0u);
    EXPECT_FALSE(objl::positionByObjIndex(4, "0", at));
    EXPECT_FALSE(objl::positionByObjIndex(4, "5", at));
    EXPECT_FALSE(objl::positionByObjIndex(4, "-5", at));
    EXPECT_FALSE(objl::positionByObjIndex(4, "", at));
    EXPECT_FALSE(objl::positionByObjIndex(0, "-1", at));
}
