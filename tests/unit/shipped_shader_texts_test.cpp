// The form of the two shader texts the program carries: their version lines,
// plain ASCII with CR LF line ends, one "~", on the last line "//~"; and the
// fragment text's variants, each its define line after the version line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "gfx/shader_text.h"
#include "platform/resources.h"
#include "scene/water_texts.h"

namespace {

std::string textOf(std::uint16_t id) {
    ResourceData data = findTextResource(id);
    return data.found() ? std::string(reinterpret_cast<const char*>(data.bytes), data.size)
                        : std::string();
}

void expectShaderTextForm(const std::string& text, const std::string& versionLine) {
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.compare(0, versionLine.size() + 2, versionLine + "\r\n"), 0);
    EXPECT_GE(text.size(), 5u);
    EXPECT_EQ(text.substr(text.size() - 5), "//~\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '~'), 1);
    EXPECT_LE(text.find('~'), kShaderTextCapacity);
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F))
            << "byte " << static_cast<int>(c) << " at " << i;
        if (c == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        }
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        }
    }
}

TEST(ShippedShaderTexts, VertexTextIsVersion110WithItsEndMarker) {
    expectShaderTextForm(textOf(137), "#version 110");
}

TEST(ShippedShaderTexts, FragmentTextIsVersion120WithItsEndMarker) {
    expectShaderTextForm(textOf(136), "#version 120");
}

TEST(ShippedShaderTexts, EachFragmentVariantDefinesWhatTheTextAsksRightAfterItsVersion) {
    const std::string text = textOf(136);
    EXPECT_EQ(waterFragmentText(text, WaterVariant::CellPointsHashed), text);
    const struct {
        WaterVariant variant;
        std::string name;
    } kDefined[] = {{WaterVariant::CellPointsFromTable, "CELL_POINTS_FROM_TABLE"},
                    {WaterVariant::CellPointsIntoTable, "CELL_POINTS_INTO_TABLE"},
                    {WaterVariant::WavesReadBack, "WAVES_READ_BACK"}};
    for (const auto& d : kDefined) {
        const std::string variant = waterFragmentText(text, d.variant);
        EXPECT_EQ(variant, "#version 120\r\n#define " + d.name + "\r\n" + text.substr(14));
        // A name the text does not ask for (#ifdef or #ifndef) would build the
        // per-pixel program for every mode, unnoticed.
        EXPECT_NE(text.find("def " + d.name + "\r\n"), std::string::npos) << d.name;
    }
}

}  // namespace
