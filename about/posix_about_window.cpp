// Configuration mode on Linux: there are no settings, so the About facts
// (heading, notice and the maker's page) go to standard output.
#include <cstdio>

#include "about/about_texts.h"
#include "about/about_window.h"

void AboutWindow::run(Failure&) {
    std::fputs(about::plainText().c_str(), stdout);
    std::fflush(stdout);
}
