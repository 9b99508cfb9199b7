// The table of resources that the Linux build links into the program. It is
// generated from the resource script; each executable links exactly one.
#pragma once

struct EmbeddedResource {
    const char* type;  // as in the resource script ("TEXTFILE", "PICTURE", ...); null ends it
    unsigned id;
    const unsigned char* begin;
    const unsigned char* end;
};

extern const EmbeddedResource gpEmbeddedResources[];
