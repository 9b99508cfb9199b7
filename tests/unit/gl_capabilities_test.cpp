// What the program makes of a context's OpenGL: version strings as drivers
// write them, tables of versions and extensions judged, the message a user
// reads, a preview that ends quietly, and every OpenGL function the program
// calls listed with what it needs, so none is called unchecked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "gfx/gl_capabilities.h"
#include "platform/failure.h"

namespace {

GLOffer offerOf(GLVersion version, GLVersion shadingLanguage, std::set<std::string> extensions,
                std::set<std::string> missing = {}) {
    GLOffer offer;
    offer.version = version;
    offer.shadingLanguage = shadingLanguage;
    offer.renderer = "llvmpipe";
    offer.extensions = std::move(extensions);
    offer.missingEntryPoints = std::move(missing);
    return offer;
}

}  // namespace

TEST(GLCapabilities, VersionStringsAsDriversWriteThem) {
    const struct {
        const char* text;
        int major, minor;
    } cases[] = {
        {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5},
        {"2.1 Mesa 22.3.6", 2, 1},
        {"1.1.0", 1, 1},
        {"1.20", 1, 20},
        {"4.50 NVIDIA", 4, 50},
        {"10.2", 10, 2},
        {"", 0, 0},
        {"3", 0, 0},
        {"OpenGL ES 3.2 Mesa 22.3.6", 0, 0},
        {"four.five", 0, 0},
    };
    for (const auto& c : cases) {
        const GLVersion version = parseGLVersion(c.text);
        EXPECT_EQ(version.major, c.major) << c.text;
        EXPECT_EQ(version.minor, c.minor) << c.text;
    }
    EXPECT_EQ(parseGLVersion(nullptr).major, 0);
}

TEST(GLCapabilities, TablesOfVersionsAndExtensions) {
    const std::set<std::string> none;
    const std::set<std::string> arbBoth = {"GL_ARB_framebuffer_object", "GL_ARB_texture_storage"};
    const struct {
        const char* what;
        GLOffer offer;
        bool usable, framebuffers, textureStorage;
    } cases[] = {
        {"Mesa 4.5", offerOf({4, 5}, {4, 50}, none), true, true, true},
        {"2.1 with both extensions", offerOf({2, 1}, {1, 20}, arbBoth), true, true, true},
        {"2.1 without texture storage", offerOf({2, 1}, {1, 20}, {"GL_ARB_framebuffer_object"}),
         true, true, false},
        {"2.1 without framebuffer objects", offerOf({2, 1}, {1, 20}, {"GL_ARB_texture_storage"}),
         true, false, true},
        {"2.1 with EXT framebuffer objects only",
         offerOf({2, 1}, {1, 20}, {"GL_EXT_framebuffer_object"}), true, true, false},
        {"an extension whose functions are missing",
         offerOf({2, 1}, {1, 20}, arbBoth, {"glGenFramebuffers", "glTexStorage2D"}), true, false,
         false},
        {"3.0 has framebuffer objects in core", offerOf({3, 0}, {1, 30}, none), true, true, false},
        {"4.1", offerOf({4, 1}, {4, 10}, none), true, true, false},
        {"4.2 has texture storage in core", offerOf({4, 2}, {4, 20}, none), true, true, true},
        {"2.0", offerOf({2, 0}, {1, 10}, arbBoth), false, false, false},
        {"2.1 with GLSL 1.10", offerOf({2, 1}, {1, 10}, arbBoth), false, false, false},
        {"1.1", offerOf({1, 1}, {0, 0}, none), false, false, false},
        {"4.5 without shaders", offerOf({4, 5}, {4, 50}, none, {"glCreateShader"}), false, false,
         false},
    };
    for (const auto& c : cases) {
        const GLJudgement judgement = judgeGLOffer(c.offer);
        EXPECT_EQ(judgement.usable, c.usable) << c.what;
        EXPECT_EQ(judgement.framebuffers, c.framebuffers) << c.what;
        EXPECT_EQ(judgement.textureStorage, c.textureStorage) << c.what;
        EXPECT_EQ(judgement.message.empty(), c.usable) << c.what;
    }
}

TEST(GLCapabilities, TheMessageSaysWhatIsNeededAndWhatTheDisplayOffers) {
    GLOffer gdi = offerOf({1, 1}, {0, 0}, {});
    gdi.renderer = "GDI Generic";
    EXPECT_EQ(judgeGLOffer(gdi).message,
              "The water needs OpenGL 2.1; this display offers OpenGL 1.1 (GDI Generic).");
    EXPECT_EQ(judgeGLOffer(offerOf({2, 0}, {1, 10}, {})).message,
              "The water needs OpenGL 2.1 with GLSL 1.20; this display offers OpenGL 2.0 "
              "with GLSL 1.10 (llvmpipe).");
    EXPECT_EQ(judgeGLOffer(offerOf({4, 5}, {4, 50}, {}, {"glCreateShader"})).message,
              "The water needs OpenGL 2.1 with GLSL 1.20; this display offers OpenGL 4.5 "
              "with GLSL 4.50 (llvmpipe), which lacks glCreateShader.");
    EXPECT_EQ(openGLNeedsMessage(GLOffer{}),
              "The water needs OpenGL 2.1; this display offers no OpenGL it can use.");
}

// Every OpenGL function the program's code calls is in one of the lists the
// check goes by: one that is not would be called on a context without it.
TEST(GLCapabilities, EveryFunctionTheProgramCallsIsChecked) {
    std::set<std::string> listed(kBaseEntryPoints.begin(), kBaseEntryPoints.end());
    listed.insert(kFramebufferEntryPoints.begin(), kFramebufferEntryPoints.end());
    listed.insert(kTextureStorageEntryPoints.begin(), kTextureStorageEntryPoints.end());
    const std::regex call(R"(\b(gl[A-Z][A-Za-z0-9]*)\s*\()");
    int calls = 0;
    for (const char* folder : {"app", "scene", "mesh", "gfx"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(GP_SOURCE_DIR) / folder)) {
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            const std::string source = text.str();
            for (std::sregex_iterator it(source.begin(), source.end(), call), end; it != end;
                 ++it) {
                const std::string name = (*it)[1];
                ++calls;
                EXPECT_EQ(listed.count(name), 1u) << name << " in " << entry.path();
            }
        }
    }
    EXPECT_GT(calls, 50) << "the sources were not found";
}
