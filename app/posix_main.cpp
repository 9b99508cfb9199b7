// The Linux entry: the arguments, read as the Windows command-line text would.
#include "app/startup.h"

int main(int argc, char** argv) {
    return startScreensaver(joinArguments(argc, argv).c_str(), nullptr, 0);
}
