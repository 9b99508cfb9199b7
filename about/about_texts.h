// Every text the About window shows, and the page its button opens. The maker's
// site and address live here and nowhere else; the names and years come from
// product_facts.h, which the resource script reads too.
#pragma once
#include <string>

#include "about/product_facts.h"

namespace about {

constexpr const char* kWindowTitle = "About";
constexpr const char* kWindowClassName = "QuillbrookWindowClass";
constexpr const char* kHeading = GP_PRODUCT_DESCRIPTION;
constexpr const char* kButtonCaption = "Visit website";

constexpr const char* kMakerName = GP_MAKER_NAME;
constexpr const char* kRightsYears = GP_RIGHTS_YEARS;
constexpr const char* kMakerHost = "www.quillbrook.com";
constexpr const char* kSupportAddress = "support@quillbrook.com";
// The page is told where the visitor came from.
constexpr const char* kPageQuery = "?utm_source=About";

// The three lines of the notice, joined by CR LF as a static control wants them.
std::string noticeText();

// The page the button opens: the maker's site, path "/", with the query.
std::string websiteUrl();

// The same facts for a terminal: heading, notice and address, one per line (LF only).
std::string plainText();

}  // namespace about
