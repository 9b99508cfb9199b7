// Times the water program's passes on Mesa without a display (EGL
// surfaceless; each draw ends in glFinish) and compares the pictures of two
// fragment texts. The programs are built as the scene builds them, with the
// scene's off-screen target and cell point table; two of the shipped floor
// pictures are bound as backgrounds.
//
//   water_bench time W H MODE S REPS ITIME TEXT...   each text in turn, REPS rounds
//       prints per text: "min median" milliseconds of one draw
//   water_bench table REPS ITIME TEXT                the table pass alone, "min median"
//   water_bench draw W H MODE S COUNT ITIME TEXT      COUNT draws and nothing else: run
//       under valgrind --tool=callgrind with two counts, the difference of the
//       instructions counted is what the draws cost, whatever the machine's load
//   water_bench frame W H REPS ITIME BEFORE NOW    a whole frame, taking turns: BEFORE
//       (table:FILE) working the pattern out per pixel in one pass, and NOW
//       (table:FILE) drawing it about 800 texels across and reading it back,
//       as the scene does; prints "min median" for each
//   water_bench shot W H ITIME BEFORE NOW PREFIX    the same two frames, written as
//       PREFIX-before.ppm and PREFIX-now.ppm
//   water_bench info
//       prints the renderer and the OpenGL version
//   water_bench diff W H MODE ITIME TEXT_A TEXT_B
//       prints the largest channel difference (clamped to [0, 1], as the
//       framebuffer keeps it) and where it is
//
// A TEXT is a fragment text's file, built as it stands, or "table:FILE": the
// text built as the scene builds it with framebuffer objects, its cell point
// table's pass drawn before every draw of modes 0 and 1 and counted in its
// time, and mode 2 drawn by the read-back program, which needs no table.
// Texts are cut at their "~" marker, as the program's own reader does; the
// vertex text is shaders/water.vert.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/gl.h"
#include "gfx/glfw_program.h"
#include "gfx/glfw_texture.h"
#include "gfx/picture_decoding.h"
#include "platform/failure.h"
#include "platform/resources.h"
#include "scene/cell_point_table.h"
#include "scene/normals_target.h"
#include "scene/render_mode_decision.h"
#include "scene/viewport_quad.h"
#include "scene/water_texts.h"
#include "scene/water_units.h"
#include "scene/waves_read_back.h"
#include "tests/gl/headless_gl_context.h"

namespace {

const char* const kVertexTextPath = "shaders/water.vert";
const char* const kTablePrefix = "table:";
// Two of the floors as the scene numbers them (sand and pool tiles), decoded
// as the program decodes them.
const int kBackgrounds[2] = {0, 2};
const int kNormalsSide = 1024;
const float kTextureTime = 0.6f;  // both pictures take part
const float kFrameSeconds = 1.0f / 60.0f;
const double kWarmUpMs = 500.0;

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    return s.substr(0, s.find('~'));
}

// One text's programs, filed in the registry, and its table when it has one.
struct Candidate {
    GLFWProgram* water = nullptr;
    GLFWProgram* tablePass = nullptr;
    GLFWProgram* readBack = nullptr;
    std::unique_ptr<CellPointTable> table;
};

GLFWProgram* addProgram(GLFWProgramRegistry& registry, const std::string& name,
                        const std::string& fragment, const std::string& path) {
    Failure failure;
    registry.add(name.c_str(), readText(kVertexTextPath), fragment, failure);
    if (failure.happened()) {
        for (const FailureMessageBox& box : failure.messageBoxes()) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), box.text.c_str());
        }
        std::exit(1);
    }
    return registry.get(name.c_str());
}

Candidate buildCandidate(GLFWProgramRegistry& registry, const std::string& spec) {
    static int built = 0;
    const std::string name = "water" + std::to_string(built++);
    Candidate c;
    if (spec.compare(0, std::string(kTablePrefix).size(), kTablePrefix) != 0) {
        c.water = addProgram(registry, name, readText(spec), spec);
        return c;
    }
    const std::string path = spec.substr(std::string(kTablePrefix).size());
    const std::string text = readText(path);
    c.water = addProgram(registry, name, waterFragmentText(text, WaterVariant::CellPointsFromTable),
                         path);
    c.tablePass = addProgram(registry, name + "-table",
                             waterFragmentText(text, WaterVariant::CellPointsIntoTable), path);
    c.readBack = addProgram(registry, name + "-read-back",
                            waterFragmentText(text, WaterVariant::WavesReadBack), path);
    c.table = std::make_unique<CellPointTable>();
    return c;
}

// The textures the scene binds, and the passes that draw over the whole viewport.
struct Stage {
    std::unique_ptr<NormalsTarget> normalsTarget = NormalsTarget::make(kNormalsSide);
    NormalsTarget& normals = *normalsTarget;
    std::unique_ptr<GLFWTexture> backgrounds[2];
    ViewportQuad quad;
    WavesReadBack readBack;

    Stage() {
        for (int i = 0; i < 2; ++i) {
            DecodedPicture picture;
            decodeFloorPicture(kBackgrounds[i], false, picture);
            backgrounds[i] = std::make_unique<GLFWTexture>(picture.size);
            backgrounds[i]->uploadRows(picture.rows.data(), 0, picture.size);
        }
    }

    // The table pass of a text that has one, then its pass of `mode` over a
    // width x height viewport of `framebuffer`, which is cleared first.
    // A pattern's height that is not a whole number goes to the shader as the
    // viewport's, with `side` as its width.
    void draw(Candidate& c, GLuint framebuffer, int mode, int width, int height, int side,
              float iTime, float patternHeight = 0.0f) const {
        if (c.table != nullptr && mode != 2) {
            c.table->fill(*c.tablePass, iTime);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glClear(GL_COLOR_BUFFER_BIT);
        const GLuint textures[4] = {normals.texture(), backgrounds[0]->name(),
                                    backgrounds[1]->name(),
                                    c.table != nullptr ? c.table->texture() : 0};
        const int units[4] = {kNormalsUnit, kBackgroundUnit, kBackground2Unit, kCellPointsUnit};
        for (int i = 0; i < 4; ++i) {
            glActiveTexture(GL_TEXTURE0 + units[i]);
            glBindTexture(GL_TEXTURE_2D, textures[i]);
        }
        glViewport(0, 0, width, height);
        if (mode == 2 && c.readBack != nullptr) {
            readBack.draw(*c.readBack, width, height, side, kTextureTime);
            return;
        }
        GLFWProgram& p = *c.water;
        p.use();
        glUniform1f(p.uniformLocation("iTime"), iTime);
        glUniform1f(p.uniformLocation("viewportWidth"),
                    static_cast<float>(patternHeight > 0.0f ? side : width));
        glUniform1f(p.uniformLocation("viewportHeight"),
                    patternHeight > 0.0f ? patternHeight : static_cast<float>(height));
        glUniform1f(p.uniformLocation("textureTime"), kTextureTime);
        glUniform1f(p.uniformLocation("normalsTextureSize"), static_cast<float>(side));
        glUniform1i(p.uniformLocation("renderMode"), mode);
        glUniform1i(p.uniformLocation("normalsTexture"), kNormalsUnit);
        glUniform1i(p.uniformLocation("backgroundTexture"), kBackgroundUnit);
        glUniform1i(p.uniformLocation("backgroundTexture2"), kBackground2Unit);
        glUniform1i(p.uniformLocation("cellPoints"), kCellPointsUnit);
        quad.draw(p);
    }

    // Mode 2 reads the pattern that mode 0 drew into the S x S corner, as in the scene.
    void drawWaves(Candidate& c, int side, float iTime) const {
        draw(c, normals.framebuffer(), 0, side, side, side, iTime);
    }
};

// A colour target standing in for the window's back buffer.
struct Target {
    GLuint framebuffer = 0;
    GLuint texture = 0;

    Target(int width, int height, GLenum format) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexStorage2D(GL_TEXTURE_2D, 1, format, width, height);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    }
    ~Target() {
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
    }
};

double elapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

void printMinMedian(std::vector<double>& times) {
    std::sort(times.begin(), times.end());
    std::printf("%.2f %.2f\n", times.front(), times[times.size() / 2]);
}

// Untimed rounds first: the driver builds each text's code at its first draw,
// and short passes settle only after a few tenths of a second. Rounds take
// turns between two frames' times, so that every round's table is drawn anew.
template <typename Round>
void timeRounds(int reps, Round round) {
    const auto warmUpStart = std::chrono::steady_clock::now();
    for (int rep = -1; rep < reps; ++rep) {
        round(rep >= 0, (rep & 1) * kFrameSeconds);
        if (rep == -1 && elapsedMs(warmUpStart) < kWarmUpMs) {
            --rep;
        }
    }
}

int timeTexts(int width, int height, int mode, int side, int reps, float iTime,
              const std::vector<std::string>& specs) {
    Stage stage;
    Target window(width, height, GL_RGBA8);
    GLFWProgramRegistry registry;
    std::vector<Candidate> candidates;
    for (const std::string& spec : specs) {
        candidates.push_back(buildCandidate(registry, spec));
    }
    const GLuint framebuffer = mode == 0 ? stage.normals.framebuffer() : window.framebuffer;
    const int drawWidth = mode == 0 ? side : width;
    const int drawHeight = mode == 0 ? side : height;
    if (mode == 2) {
        stage.drawWaves(candidates[0], side, iTime);
    }
    std::vector<std::vector<double>> times(candidates.size());
    timeRounds(reps, [&](bool timed, float later) {
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            glFinish();
            const auto start = std::chrono::steady_clock::now();
            stage.draw(candidates[i], framebuffer, mode, drawWidth, drawHeight, side,
                       iTime + later);
            glFinish();
            if (timed) {
                times[i].push_back(elapsedMs(start));
            }
        }
    });
    for (std::vector<double>& t : times) {
        printMinMedian(t);
    }
    return 0;
}

// One frame as `before` draws it (the pattern per pixel) or as `now` does
// (the pattern about 800 across, read back), into `window`.
void drawFrame(const Stage& stage, Candidate& c, bool perPixel, GLuint window, int width,
               int height, float iTime) {
    const PatternPass pass = patternPassFor(kPatternTexelsAcross, width, height);
    if (perPixel || pass.onePass) {
        stage.draw(c, window, 1, width, height, 0, iTime);
        return;
    }
    stage.draw(c, stage.normals.framebuffer(), 0, pass.drawnWidth, pass.drawnHeight, pass.across,
               iTime, pass.height);
    stage.draw(c, window, 2, width, height, pass.across, iTime);
}

int timeFrames(int width, int height, int reps, float iTime, const std::string& before,
               const std::string& now) {
    Stage stage;
    Target window(width, height, GL_RGBA8);
    GLFWProgramRegistry registry;
    Candidate frames[2] = {buildCandidate(registry, before), buildCandidate(registry, now)};
    std::vector<double> times[2];
    timeRounds(reps, [&](bool timed, float later) {
        for (int i = 0; i < 2; ++i) {
            glFinish();
            const auto start = std::chrono::steady_clock::now();
            drawFrame(stage, frames[i], i == 0, window.framebuffer, width, height, iTime + later);
            glFinish();
            if (timed) {
                times[i].push_back(elapsedMs(start));
            }
        }
    });
    printMinMedian(times[0]);
    printMinMedian(times[1]);
    return 0;
}

int writeShots(int width, int height, float iTime, const std::string& before,
               const std::string& now, const std::string& prefix) {
    Stage stage;
    Target window(width, height, GL_RGBA8);
    GLFWProgramRegistry registry;
    Candidate frames[2] = {buildCandidate(registry, before), buildCandidate(registry, now)};
    std::vector<unsigned char> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int i = 0; i < 2; ++i) {
        drawFrame(stage, frames[i], i == 0, window.framebuffer, width, height, iTime);
        glBindFramebuffer(GL_FRAMEBUFFER, window.framebuffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        std::ofstream out(prefix + (i == 0 ? "-before.ppm" : "-now.ppm"), std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        // The image's rows run from the top.
        for (int y = height - 1; y >= 0; --y) {
            out.write(reinterpret_cast<const char*>(&rgb[static_cast<std::size_t>(y) * width * 3]),
                      width * 3);
        }
    }
    return 0;
}

int drawOnly(int width, int height, int mode, int side, int count, float iTime,
             const std::string& spec) {
    Stage stage;
    Target window(width, height, GL_RGBA8);
    GLFWProgramRegistry registry;
    Candidate c = buildCandidate(registry, spec);
    if (mode == 2) {
        stage.drawWaves(c, side, iTime);
    }
    for (int i = 0; i < count; ++i) {
        stage.draw(c, mode == 0 ? stage.normals.framebuffer() : window.framebuffer, mode,
                   mode == 0 ? side : width, mode == 0 ? side : height, side,
                   iTime + (i & 1) * kFrameSeconds);
        glFinish();
    }
    return 0;
}

int timeTablePass(int reps, float iTime, const std::string& spec) {
    GLFWProgramRegistry registry;
    Candidate c = buildCandidate(registry, spec);
    if (c.table == nullptr) {
        std::fprintf(stderr, "%s has no table: name it table:FILE\n", spec.c_str());
        return 2;
    }
    std::vector<double> times;
    timeRounds(reps, [&](bool timed, float later) {
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        c.table->fill(*c.tablePass, iTime + later);
        glFinish();
        if (timed) {
            times.push_back(elapsedMs(start));
        }
    });
    printMinMedian(times);
    return 0;
}

std::vector<float> render(const Stage& stage, Candidate& c, int mode, int width, int height,
                          float iTime) {
    if (mode == 2) {
        stage.drawWaves(c, kNormalsSide, iTime);
    }
    Target target(width, height, GL_RGBA32F);
    stage.draw(c, target.framebuffer, mode, width, height, kNormalsSide, iTime);
    std::vector<float> pixels(static_cast<std::size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}

float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

int diffTexts(int width, int height, int mode, float iTime, const std::string& a,
              const std::string& b) {
    Stage stage;
    GLFWProgramRegistry registry;
    Candidate first = buildCandidate(registry, a);
    Candidate second = buildCandidate(registry, b);
    const std::vector<float> one = render(stage, first, mode, width, height, iTime);
    const std::vector<float> two = render(stage, second, mode, width, height, iTime);
    double worst = 0.0;
    std::size_t where = 0;
    long over = 0;
    for (std::size_t i = 0; i < one.size(); ++i) {
        const double d = std::fabs(clamp01(one[i]) - clamp01(two[i]));
        if (d > worst) {
            worst = d;
            where = i;
        }
        over += d > 1.0 / 255.0 ? 1 : 0;
    }
    const std::size_t pixel = where / 4;
    std::printf("%.3g %.3f %ld at %zu %zu channel %zu\n", worst, worst * 255.0, over, pixel % width,
                pixel / width, where % 4);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (!makeHeadlessGLContext()) {
        std::fprintf(stderr, "no EGL surfaceless OpenGL context\n");
        return 1;
    }
    if (command == "time" && argc >= 9) {
        return timeTexts(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                         std::atoi(argv[5]), std::atoi(argv[6]),
                         static_cast<float>(std::atof(argv[7])),
                         std::vector<std::string>(argv + 8, argv + argc));
    }
    if (command == "draw" && argc == 9) {
        return drawOnly(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                        std::atoi(argv[5]), std::atoi(argv[6]),
                        static_cast<float>(std::atof(argv[7])), argv[8]);
    }
    if (command == "frame" && argc == 8) {
        return timeFrames(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                          static_cast<float>(std::atof(argv[5])), argv[6], argv[7]);
    }
    if (command == "shot" && argc == 8) {
        return writeShots(std::atoi(argv[2]), std::atoi(argv[3]),
                          static_cast<float>(std::atof(argv[4])), argv[5], argv[6], argv[7]);
    }
    if (command == "table" && argc == 5) {
        return timeTablePass(std::atoi(argv[2]), static_cast<float>(std::atof(argv[3])), argv[4]);
    }
    if (command == "info") {
        std::printf("%s, OpenGL %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                    reinterpret_cast<const char*>(glGetString(GL_VERSION)));
        return 0;
    }
    if (command == "diff" && argc == 8) {
        return diffTexts(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                         static_cast<float>(std::atof(argv[5])), argv[6], argv[7]);
    }
    std::fprintf(stderr,
                 "usage: water_bench time W H MODE S REPS ITIME TEXT...\n"
                 "       water_bench table REPS ITIME table:FILE\n"
                 "       water_bench draw W H MODE S COUNT ITIME TEXT\n"
                 "       water_bench diff W H MODE ITIME TEXT_A TEXT_B\n");
    return 2;
}
