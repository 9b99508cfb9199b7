// Bitmap textures on Mesa: the texture's state after construction, and what
// sampling it gives at its corners, outside [0, 1] and when minified, against
// the bytes of the same bitmap resource.
#include <array>
#include <memory>
#include <vector>

#include "gfx/glfw_texture.h"
#include "platform/resources.h"
#include "tests/gl/gl_test_context.h"

namespace {

const std::uint16_t kPicture = 214;
const int kSize = 2048;

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
        static std::unique_ptr<GLFWTexture> shared(
            new GLFWTexture(findBitmapResource(kPicture).bytes, kSize));
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
    GLFWTexture fresh(findBitmapResource(212).bytes, kSize);
    GLint active = 0, bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(active, GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(bound), fresh.name());

    auto parameter = [](GLenum which) {
        GLint value = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
        return value;
    };
    EXPECT_EQ(parameter(GL_TEXTURE_IMMUTABLE_FORMAT), GL_TRUE);
    EXPECT_EQ(parameter(GL_TEXTURE_IMMUTABLE_LEVELS), 11);
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
    EXPECT_EQ(format, GL_RGBA32F);
    EXPECT_EQ(width, kSize);
    EXPECT_EQ(height, kSize);
}

TEST_F(GLFWTextureTest, LevelZeroHoldsEveryPixelOfThePicture) {
    glBindTexture(GL_TEXTURE_2D, texture().name());
    std::vector<float> level(static_cast<std::size_t>(kSize) * kSize * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, level.data());
    int wrong = 0;
    for (int j = 0; j < kSize; ++j) {
        for (int i = 0; i < kSize; ++i) {
            std::array<float, 4> expected = texel(i, j);
            const float* seen = &level[(static_cast<std::size_t>(j) * kSize + i) * 4];
            for (int c = 0; c < 4; ++c) {
                wrong += seen[c] != expected[c];
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(GLFWTextureTest, DestroyingTheObjectDeletesItsTexture) {
    GLuint name = 0;
    {
        GLFWTexture doomed(findBitmapResource(210).bytes, kSize);
        name = doomed.name();
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
        EXPECT_NEAR(across[c], mid[c], 1e-5f) << c;
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
                EXPECT_NEAR(seen[(j * n + i) * 4 + c], expected, 1e-5f) << i << "," << j;
            }
        }
    }
}
