// Reading a shader text resource (see shader_text_resource.h).
#include "gfx/shader_text_resource.h"

#include <vector>

#include "gfx/shader_text.h"
#include "platform/failure.h"
#include "platform/resources.h"

bool readShaderTextResources(std::uint16_t vertexId, std::uint16_t fragmentId, ShaderTexts& texts,
                             Failure& failure) {
    texts.vertex = readShaderTextResource(vertexId, failure);
    if (failure.happened()) {
        return false;
    }
    texts.fragment = readShaderTextResource(fragmentId, failure);
    return !failure.happened();
}

std::string readShaderTextResource(std::uint16_t id, Failure& failure) {
    const ResourceData text = findTextResource(id);
    if (!text.found()) {
        failure.add("Shader text " + std::to_string(id) +
                    " is missing from the program's resources");
        return {};
    }
    // The resource's own size bounds the search too, so a text without its
    // marker is never read past its end.
    std::vector<char> buffer(kShaderTextCapacity + 1);
    if (!copyTextToEndMarker(text.bytes, text.size, buffer.data(), kShaderTextCapacity)) {
        failure.add("Shader text " + std::to_string(id) + " has no \"~\" end marker within " +
                    std::to_string(kShaderTextCapacity) + " characters");
        return {};
    }
    return buffer.data();
}
