/* The product's and the maker's names as plain preprocessor text, so that the
 * resource script (string table, version resource) and the About window read
 * one set of facts. C and resource-compiler safe: macros only. */
#ifndef GP_PRODUCT_FACTS_H
#define GP_PRODUCT_FACTS_H

/* The name the Screen Saver Settings list shows (string 1). */
#define GP_PRODUCT_NAME "Glimmerpond 3D"
/* The About window's heading and the file's description. */
#define GP_PRODUCT_DESCRIPTION "Glimmerpond 3D Screensaver"
#define GP_MAKER_NAME "Quillbrook"
#define GP_RIGHTS_YEARS "2024-2026"
/* The first line of the About window's notice, word for word. */
#define GP_LEGAL_COPYRIGHT "Copyright " GP_RIGHTS_YEARS " " GP_MAKER_NAME ". All rights reserved."

#endif /* GP_PRODUCT_FACTS_H */
