// Times the water program's passes on Mesa without a display (EGL
// surfaceless; each draw ends in glFinish) and compares the pictures of two
// fragment texts. Two of the shipped floor pictures are bound as backgrounds,
// the 1024 x 1024 RGB8 normals target as unit 0, as the scene does.
//
//   water_bench time W H MODE S REPS ITIME FRAG...   each text in turn, REPS rounds
//       prints per text: "min median" milliseconds of one draw
//   water_bench info
//       prints the renderer and the OpenGL version
//   water_bench diff W H MODE ITIME FRAG_A FRAG_B
//       prints the largest channel difference (clamped to [0, 1], as the
//       framebuffer keeps it) and where it is
//
// Texts are read from files and cut at their "~" marker, as the program's
// own reader does; the vertex text is shaders/water.vert.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/gl.h"
#include "gfx/glfw_texture.h"
#include "platform/resources.h"
#include "tests/gl/headless_gl_context.h"

namespace {

const char* const kVertexTextPath = "shaders/water.vert";
const std::uint16_t kBackgroundIds[2] = {214, 210};
const int kBackgroundSize = 2048;
const int kNormalsSide = 1024;
const float kTextureTime = 0.6f;  // both pictures take part
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

GLuint compile(GLenum type, const std::string& text, const std::string& path) {
    GLuint shader = glCreateShader(type);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[4096];
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "%s: %s\n", path.c_str(), log);
        std::exit(1);
    }
    return shader;
}

struct WaterProgram {
    GLuint id;
    GLint iTime, viewportWidth, viewportHeight, textureTime, normalsTextureSize, renderMode;
    GLint normalsTexture, backgroundTexture, backgroundTexture2, position, positionTex;
};

WaterProgram buildProgram(const std::string& fragmentPath) {
    WaterProgram p;
    p.id = glCreateProgram();
    glAttachShader(p.id, compile(GL_VERTEX_SHADER, readText(kVertexTextPath), kVertexTextPath));
    glAttachShader(p.id, compile(GL_FRAGMENT_SHADER, readText(fragmentPath), fragmentPath));
    glLinkProgram(p.id);
    p.iTime = glGetUniformLocation(p.id, "iTime");
    p.viewportWidth = glGetUniformLocation(p.id, "viewportWidth");
    p.viewportHeight = glGetUniformLocation(p.id, "viewportHeight");
    p.textureTime = glGetUniformLocation(p.id, "textureTime");
    p.normalsTextureSize = glGetUniformLocation(p.id, "normalsTextureSize");
    p.renderMode = glGetUniformLocation(p.id, "renderMode");
    p.normalsTexture = glGetUniformLocation(p.id, "normalsTexture");
    p.backgroundTexture = glGetUniformLocation(p.id, "backgroundTexture");
    p.backgroundTexture2 = glGetUniformLocation(p.id, "backgroundTexture2");
    p.position = glGetAttribLocation(p.id, "position");
    p.positionTex = glGetAttribLocation(p.id, "position_tex");
    return p;
}

// The scene's textures and a quad over the whole viewport.
struct Scene {
    GLuint quad = 0;
    GLuint normals = 0;
    GLuint normalsFramebuffer = 0;
    GLuint backgrounds[2] = {};

    Scene() {
        const float corners[] = {-1, -1, 0, 0, 0, 1, -1, 0, 1, 0, -1, 1, 0, 0, 1, 1, 1, 0, 1, 1};
        glGenBuffers(1, &quad);
        glBindBuffer(GL_ARRAY_BUFFER, quad);
        glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
        for (int i = 0; i < 2; ++i) {
            backgrounds[i] =
                (new GLFWTexture(findBitmapResource(kBackgroundIds[i]), kBackgroundSize))->name();
        }
        glGenTextures(1, &normals);
        glBindTexture(GL_TEXTURE_2D, normals);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kNormalsSide, kNormalsSide, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glGenFramebuffers(1, &normalsFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, normalsFramebuffer);
        glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, normals, 0);
    }

    void bindTextures() const {
        const GLuint textures[3] = {normals, backgrounds[0], backgrounds[1]};
        for (int unit = 0; unit < 3; ++unit) {
            glActiveTexture(GL_TEXTURE0 + unit);
            glBindTexture(GL_TEXTURE_2D, textures[unit]);
        }
    }

    // One draw of `mode` over a width x height viewport of the bound framebuffer.
    void draw(const WaterProgram& p, int mode, int width, int height, int side, float iTime) const {
        glUseProgram(p.id);
        glUniform1f(p.iTime, iTime);
        glUniform1f(p.viewportWidth, static_cast<float>(width));
        glUniform1f(p.viewportHeight, static_cast<float>(height));
        glUniform1f(p.textureTime, kTextureTime);
        glUniform1f(p.normalsTextureSize, static_cast<float>(side));
        glUniform1i(p.renderMode, mode);
        glUniform1i(p.normalsTexture, 0);
        glUniform1i(p.backgroundTexture, 1);
        glUniform1i(p.backgroundTexture2, 2);
        glViewport(0, 0, width, height);
        glBindBuffer(GL_ARRAY_BUFFER, quad);
        glEnableVertexAttribArray(p.position);
        glVertexAttribPointer(p.position, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
        if (p.positionTex >= 0) {
            glEnableVertexAttribArray(p.positionTex);
            glVertexAttribPointer(p.positionTex, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                                  reinterpret_cast<const void*>(3 * sizeof(float)));
        }
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
};

// A colour target standing in for the window's back buffer.
struct Target {
    GLuint framebuffer = 0;
    GLuint texture = 0;
    int width, height;

    Target(int w, int h, GLenum format) : width(w), height(h) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexStorage2D(GL_TEXTURE_2D, 1, format, w, h);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, texture, 0);
    }
};

double elapsedMs(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

// Mode 0 draws into the normals target, the others into the window stand-in.
void bindFor(int mode, const Scene& scene, const Target& window) {
    glBindFramebuffer(GL_FRAMEBUFFER, mode == 0 ? scene.normalsFramebuffer : window.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT);
}

int timeTexts(int width, int height, int mode, int side, int reps, float iTime,
              const std::vector<std::string>& paths) {
    Scene scene;
    Target window(width, height, GL_RGBA8);
    std::vector<WaterProgram> programs;
    for (const std::string& path : paths) {
        programs.push_back(buildProgram(path));
    }
    const int drawWidth = mode == 0 ? side : width;
    const int drawHeight = mode == 0 ? side : height;
    // Mode 2 reads a pattern that mode 0 drew, as in the scene.
    if (mode == 2) {
        bindFor(0, scene, window);
        scene.bindTextures();
        scene.draw(programs[0], 0, side, side, side, iTime);
    }
    std::vector<std::vector<double>> times(programs.size());
    // Untimed rounds first: the driver builds each text's code at its first
    // draw, and short passes settle only after a few tenths of a second.
    const auto warmUpStart = std::chrono::steady_clock::now();
    for (int rep = -1; rep < reps; ++rep) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            bindFor(mode, scene, window);
            scene.bindTextures();
            glFinish();
            auto start = std::chrono::steady_clock::now();
            scene.draw(programs[i], mode, drawWidth, drawHeight, side, iTime);
            glFinish();
            if (rep >= 0) {
                times[i].push_back(elapsedMs(start));
            }
        }
        if (rep == -1 && elapsedMs(warmUpStart) < kWarmUpMs) {
            --rep;
        }
    }
    for (std::vector<double>& t : times) {
        std::sort(t.begin(), t.end());
        std::printf("%.2f %.2f\n", t.front(), t[t.size() / 2]);
    }
    return 0;
}

std::vector<float> render(const Scene& scene, const WaterProgram& p, int mode, int width,
                          int height, float iTime) {
    Target target(width, height, GL_RGBA32F);
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glClear(GL_COLOR_BUFFER_BIT);
    scene.bindTextures();
    scene.draw(p, mode, width, height, kNormalsSide, iTime);
    std::vector<float> pixels(static_cast<std::size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    glDeleteFramebuffers(1, &target.framebuffer);
    glDeleteTextures(1, &target.texture);
    return pixels;
}

float clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

int diffTexts(int width, int height, int mode, float iTime, const std::string& a,
              const std::string& b) {
    Scene scene;
    std::vector<float> first = render(scene, buildProgram(a), mode, width, height, iTime);
    std::vector<float> second = render(scene, buildProgram(b), mode, width, height, iTime);
    double worst = 0.0;
    std::size_t where = 0;
    long over = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const double d = std::fabs(clamp01(first[i]) - clamp01(second[i]));
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
                 "usage: water_bench time W H MODE S REPS ITIME FRAG...\n"
                 "       water_bench diff W H MODE ITIME FRAG_A FRAG_B\n");
    return 2;
}
