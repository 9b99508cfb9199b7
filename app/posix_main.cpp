// The Linux entry: the arguments, joined by spaces, read as the Windows
// command-line text would ("/s", "/c", "/p 1234").
#include <string>

#include "app/startup.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine += ' ';
        }
        commandLine += argv[i];
    }
    return startScreensaver(commandLine.c_str(), nullptr, 0);
}
