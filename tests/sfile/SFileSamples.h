#pragma once
// Small s-files as the converter writes them, for the edit and collection tests.

#include <string>
#include <vector>

namespace quillfen::test {

/// "texture ( k 0 0 ff000000 )" for k = 0..count-1.
inline std::vector<std::string> plainTextureEntries(std::size_t count) {
    std::vector<std::string> entries;
    for (std::size_t k = 0; k < count; ++k)
        entries.push_back("texture ( " + std::to_string(k) + " 0 0 ff000000 )");
    return entries;
}

/// A converter-style s-file with the given shaders, images and texture entries.
inline std::string sampleSFile(const std::vector<std::string>& images,
                               const std::vector<std::string>& textures,
                               const std::vector<std::string>& shaders = {"TexDiff"}) {
    std::string text = "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n";
    text += "\tshader_names ( " + std::to_string(shaders.size()) + "\r\n";
    for (const std::string& shader : shaders) text += "\t\tnamed_shader ( " + shader + " )\r\n";
    text += "\t)\r\n\tpoints ( 1\r\n\t\tpoint ( 0 0 0 )\r\n\t)\r\n";
    text += "\timages ( " + std::to_string(images.size()) + "\r\n";
    for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
    text += "\t)\r\n\ttextures ( " + std::to_string(textures.size()) + "\r\n";
    for (const std::string& texture : textures) text += "\t\t" + texture + "\r\n";
    text += "\t)\r\n)";
    return text;
}

} // namespace quillfen::test
