// The connector image set carried inside the program. The bytes are drawn at build time by
// tools/make_connector_images, which also writes the definition of ImageSet.
#pragma once
#include <cstddef>

struct ImageFile {
    const char* fileName; // "strek_NAME.gif"
    const unsigned char* bytes;
    size_t size;
};

extern const ImageFile ImageSet[];
extern const size_t ImageSetSize;
