// Picture textures on Mesa: the texture's state after construction, the rows
// as uploaded, what sampling gives at its corners, outside [0, 1] and when
// minified, against the bytes of the same (painted) bitmap resource; and the
// water drawn over 8-bit pictures against the same water drawn over the
// float pictures they replaced.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "gfx/glfw_program.h"
#include "gfx/glfw_texture.h"
#include "platform/resources.h"
#include "tests/gl/gl_test_context.h"
#include "tests/support/program_probes.h"
#include "tests/support/resource_builds.h"
#include "tests/gl/test_texture.h"
#include "tests/gl/water_drawing.h"

namespace {

const std::uint16_t kPicture = 214;
const int kSize = 2048;
// llvmpipe blends the texels of an 8-bit texture in 8-bit steps, rounding
// after each direction: a sample between four texels lands up to one step
// from their exact mean (measured). At texel centres samples are exact.
const float kBlendTolerance = 1.5f / 255.0f;

// A program that writes texture(picture, at) to every fragment, or, with
// `spread`, samples the whole picture once across the target (minified).
class TextureProbe {
  public:
    TextureProbe() {
        const char* vertex =
            "#version 130\n"
            "void main() {\n"
            "    gl_Position = vec4(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0,"
            " 0.0, 1.0);\n"
            "}\n";
        const char* fragment =
            "#version 130\n"
            "uniform sampler2D picture;\n"
            "uniform vec2 at;\n"
            "uniform vec2 spread;\n"
            "void main() {\n"
            "    vec2 c = spread.x > 0.0 ? gl_FragCoord.xy / spread : at;\n"
            "    gl_FragColor = texture(picture, c);\n"
            "}\n";
        program_ = glCreateProgram();
        for (auto [type, text] :
             {std::pair{GL_VERTEX_SHADER, vertex}, {GL_FRAGMENT_SHADER, fragment}}) {
            GLuint shader = glCreateShader(type);
            glShaderSource(shader, 1, &text, nullptr);
            glCompileShader(shader);
            glAttachShader(program_, shader);
            glDeleteShader(shader);
        }
        glLinkProgram(program_);
    }
    ~TextureProbe() { glDeleteProgram(program_); }

    std::array<float, 4> sample(GLuint texture, float s, float t) {
        OffscreenTarget target(1, 1, GL_RGBA32F);
        draw(texture, s, t, 0.0f);
        std::vector<float> p = target.readPixels();
        return {p[0], p[1], p[2], p[3]};
    }

    // n x n samples, fragment (i, j) at coordinates ((i + 0.5) / n, (j + 0.5) / n).
    std::vector<float> sampleSpread(GLuint texture, int n) {
        OffscreenTarget target(n, n, GL_RGBA32F);
        draw(texture, 0.0f, 0.0f, static_cast<float>(n));
        return target.readPixels();
    }

  private:
    void draw(GLuint texture, float s, float t, float spread) {
        glUseProgram(program_);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glUniform1i(glGetUniformLocation(program_, "picture"), 0);
        glUniform2f(glGetUniformLocation(program_, "at"), s, t);
        glUniform2f(glGetUniformLocation(program_, "spread"), spread, spread);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glUseProgram(0);
    }

    GLuint program_ = 0;
};

class GLFWTextureTest : public GLTest {
  protected:
    // One upload of the picture serves every test.
    static GLFWTexture& texture() {
        static std::unique_ptr<GLFWTexture> shared = makePictureTexture(kPicture, kSize);
        return *shared;
    }
    // Texel (i, j) from the resource's own bytes: stored row j (the first
    // stored row is the picture's bottom), blue, green, red.
    static std::array<float, 4> texel(int i, int j) {
        const unsigned char* bytes = findBitmapResource(kPicture).bytes;
        const unsigned char* p = bytes + 40 + (static_cast<std::size_t>(j) * kSize + i) * 3;
        return {p[2] / 255.0f, p[1] / 255.0f, p[0] / 255.0f, 1.0f};
    }
    static float centre(int i) { return (i + 0.5f) / kSize; }
};

void expectColour(const std::array<float, 4>& actual, const std::array<float, 4>& expected,
                  const char* where) {
    for (int c = 0; c < 4; ++c) {
        EXPECT_NEAR(actual[c], expected[c], 1e-6f) << where << " channel " << c;
    }
}

}  // namespace

TEST_F(GLFWTextureTest, StorageAndParametersAfterConstruction) {
    GLuint name = texture().name();
    ASSERT_NE(name, 0u);
    // Construction may have happened in another test; bind as the renderer would.
    const std::unique_ptr<GLFWTexture> fresh = makePictureTexture(212, kSize);
    GLint active = 0, bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(bound), fresh->name());

    auto parameter = [](GLenum which) {
        GLint value = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
        return value;
    };
    EXPECT_EQ(parameter(GL_TEXTURE_IMMUTABLE_FORMAT), GL_TRUE);
    EXPECT_EQ(parameter(GL_TEXTURE_IMMUTABLE_LEVELS), 1);
    EXPECT_EQ(parameter(GL_TEXTURE_BASE_LEVEL), 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MAX_LEVEL), 0);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
    GLint format = 0, width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(format, static_cast<GLint>(kPictureTextureFormat));
    EXPECT_EQ(width, kSize);
    EXPECT_EQ(height, kSize);
}

// The same bytes with immutable storage and, where a context has none
// (glTexStorage2D not loaded), with glTexImage2D.
TEST_F(GLFWTextureTest, LevelZeroHoldsEveryByteOfThePicture) {
    const PFNGLTEXSTORAGE2DPROC storage = gp_glTexStorage2D;
    gp_glTexStorage2D = nullptr;
    const std::unique_ptr<GLFWTexture> withoutStorage = makePictureTexture(kPicture, kSize);
    gp_glTexStorage2D = storage;
    for (GLuint name : {texture().name(), withoutStorage->name()}) {
        glBindTexture(GL_TEXTURE_2D, name);
        GLint immutable = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_IMMUTABLE_FORMAT, &immutable);
        EXPECT_EQ(immutable, name == texture().name() ? GL_TRUE : GL_FALSE);
        const std::size_t rowBytes = static_cast<std::size_t>(kSize) * 3;
        std::vector<unsigned char> level(rowBytes * kSize);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR, GL_UNSIGNED_BYTE, level.data());
        // 2048 pixels of 3 bytes need no padding: the stored rows, bottom first, as they are.
        const unsigned char* rows = findBitmapResource(kPicture).bytes + 40;
        int wrongRows = 0;
        for (int j = 0; j < kSize; ++j) {
            wrongRows += std::memcmp(&level[j * rowBytes], rows + j * rowBytes, rowBytes) != 0;
        }
        EXPECT_EQ(wrongRows, 0) << (name == texture().name() ? "storage" : "glTexImage2D");
    }
}

TEST_F(GLFWTextureTest, DestroyingTheObjectDeletesItsTexture) {
    GLuint name = 0;
    {
        const std::unique_ptr<GLFWTexture> doomed = makePictureTexture(210, kSize);
        name = doomed->name();
        EXPECT_EQ(glIsTexture(name), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(name), GL_FALSE);
}

TEST_F(GLFWTextureTest, CornersStandUpright) {
    TextureProbe probe;
    GLuint name = texture().name();
    // Near (0, 0): the bitmap's first stored pixel, its bottom-left corner.
    expectColour(probe.sample(name, centre(0), centre(0)), texel(0, 0), "lower left");
    // Near (1, 1): the last pixel of its last stored row, the top-right corner.
    expectColour(probe.sample(name, centre(kSize - 1), centre(kSize - 1)),
                 texel(kSize - 1, kSize - 1), "upper right");
    expectColour(probe.sample(name, centre(0), centre(kSize - 1)), texel(0, kSize - 1),
                 "upper left");
    expectColour(probe.sample(name, centre(5), centre(3)), texel(5, 3), "near the bottom");
    // The picture is not symmetric: the bottom row differs from the top row.
    EXPECT_NE(texel(0, 0), texel(0, kSize - 1));
}

TEST_F(GLFWTextureTest, CoordinatesOutsideTheUnitSquareRepeat) {
    TextureProbe probe;
    GLuint name = texture().name();
    // Just left of and below the corner: the opposite edges' texels.
    expectColour(probe.sample(name, -centre(0), centre(10)), texel(kSize - 1, 10), "left of 0");
    expectColour(probe.sample(name, centre(20), -centre(0)), texel(20, kSize - 1), "below 0");
    // Whole periods away, in both directions.
    expectColour(probe.sample(name, 2.0f + centre(300), -3.0f + centre(700)), texel(300, 700),
                 "shifted by whole periods");
    // Halfway across the wrap edge: the average of the last and the first column.
    std::array<float, 4> left = texel(kSize - 1, 0), right = texel(0, 0), mid;
    for (int c = 0; c < 4; ++c) {
        mid[c] = 0.5f * (left[c] + right[c]);
    }
    std::array<float, 4> across = probe.sample(name, 1.0f, centre(0));
    for (int c = 0; c < 4; ++c) {
        EXPECT_NEAR(across[c], mid[c], kBlendTolerance) << c;
    }
}

TEST_F(GLFWTextureTest, MinifiedSamplingReadsTheFirstLevel) {
    TextureProbe probe;
    const int n = 16, step = kSize / n;
    std::vector<float> seen = probe.sampleSpread(texture().name(), n);
    // Each fragment falls halfway between four texels of level 0; the unfilled
    // smaller levels are never read.
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            int x = i * step + step / 2 - 1, y = j * step + step / 2 - 1;
            for (int c = 0; c < 4; ++c) {
                float expected = 0.25f * (texel(x, y)[c] + texel(x + 1, y)[c] + texel(x, y + 1)[c] +
                                          texel(x + 1, y + 1)[c]);
                EXPECT_NEAR(seen[(j * n + i) * 4 + c], expected, kBlendTolerance) << i << "," << j;
            }
        }
    }
}

namespace {

// The water program drawn over the whole of a float target, values clamped to
// [0, 1] as a window's framebuffer keeps them.
class WaterFrame {
  public:
    WaterFrame(int width, int height)
        : window_(width, height, GL_RGBA32F), waves_(1024, 1024, GL_RGB8) {
        glBindTexture(GL_TEXTURE_2D, waves_.texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }

    // Mode 0 into the S x S corner of the wave target, which mode 2 then reads.
    void drawWaves(const WaterInputs& window, int side) {
        WaterInputs inputs = window;
        inputs.viewportWidth = side;
        inputs.viewportHeight = side;
        waves_.bind();
        glViewport(0, 0, side, side);
        setWaterUniforms(program_, inputs, 0);
        quad_.draw(program_);
    }

    std::vector<float> draw(const WaterInputs& inputs, int mode, GLuint picture, GLuint picture2) {
        window_.bind();
        glViewport(0, 0, window_.width, window_.height);
        glClear(GL_COLOR_BUFFER_BIT);
        setWaterUniforms(program_, inputs, mode);
        setTexture(program_, "normalsTexture", 0, waves_.texture);
        setTexture(program_, "backgroundTexture", 1, picture);
        setTexture(program_, "backgroundTexture2", 2, picture2);
        quad_.draw(program_);
        std::vector<float> pixels = window_.readPixels();
        for (float& v : pixels) {
            v = std::min(1.0f, std::max(0.0f, v));
        }
        return pixels;
    }

  private:
    std::unique_ptr<GLFWProgram> programHeld_ = programFromResources(137, 136);
    GLFWProgram& program_ = *programHeld_;
    FullViewportQuad quad_;
    OffscreenTarget window_;
    OffscreenTarget waves_;
};

float largestDifference(const std::vector<float>& a, const std::vector<float>& b) {
    float worst = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i) {
        worst = std::max(worst, std::fabs(a[i] - b[i]));
    }
    return worst;
}

}  // namespace

TEST_F(GLFWTextureTest, WaterOverEightBitPicturesMatchesTheFloatPictures) {
    // 1920 x 1080 at an eighth; the reduced path at S = 256. textureTime 0.6
    // weighs both pictures in (0.784 on the second).
    const int width = 240, height = 135, side = 256;
    const std::unique_ptr<GLFWTexture> second = makePictureTexture(212, kSize);
    const GLuint floatFirst = makeFloatPictureTexture(kPicture, kSize);
    const GLuint floatSecond = makeFloatPictureTexture(212, kSize);
    WaterFrame frame(width, height);
    for (double iTime : {0.0, 2.5, 97.0, 1800.0}) {
        WaterInputs inputs;
        inputs.iTime = iTime;
        inputs.viewportWidth = width;
        inputs.viewportHeight = height;
        inputs.textureTime = 0.6;
        inputs.normalsTextureSize = side;
        frame.drawWaves(inputs, side);
        for (int mode : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " iTime " << iTime);
            std::vector<float> eightBit =
                frame.draw(inputs, mode, texture().name(), second->name());
            std::vector<float> floats = frame.draw(inputs, mode, floatFirst, floatSecond);
            // About half a step is measured: the blends of the 8-bit lookups round.
            EXPECT_LE(largestDifference(eightBit, floats), 1.0f / 255.0f);
            // The pictures show: the same frame with them swapped is far from it.
            EXPECT_GT(largestDifference(floats, frame.draw(inputs, mode, floatSecond, floatFirst)),
                      16.0f / 255.0f);
        }
    }
    glDeleteTextures(1, &floatFirst);
    glDeleteTextures(1, &floatSecond);
}
