// Composes the About window's notice and web address from the maker's facts.
#include "about/about_texts.h"

namespace about {

std::string noticeText() {
    return std::string(GP_LEGAL_COPYRIGHT) + "\r\n" + "More free screensavers at " + kMakerHost +
           "\r\n" + "Questions? Write to " + kSupportAddress;
}

std::string websiteUrl() {
    return std::string("https://") + kMakerHost + "/" + kPageQuery;
}

std::string plainText() {
    std::string notice = noticeText();
    std::string lines;
    for (char c : notice) {
        if (c != '\r')
            lines += c;
    }
    return std::string(kHeading) + "\n\n" + lines + "\n\n" + kButtonCaption + ": " + websiteUrl() +
           "\n";
}

}  // namespace about
