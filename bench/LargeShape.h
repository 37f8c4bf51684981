#pragma once
// A large generated shape in the converter's layout: three tables of 30 000
// entries and sub-objects of 12 000 vertices with their triangles until the
// text has 30 million characters (60 MB as UTF-16), one distance level.

#include "platform/TextCodec.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace quillfen::bench {

constexpr int kPoints = 30000;
constexpr int kVerticesPerSubObject = 12000;
constexpr std::size_t kTargetCharacters = 30'000'000; // 60 MB as UTF-16

inline void appendTables(std::string& text) {
    char line[160];
    text +=
        "SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n\tshape_header ( 00000000 00000000 )\r\n"
        "\tshader_names ( 2\r\n\t\tnamed_shader ( TexDiff )\r\n\t\tnamed_shader ( BlendATexDiff )\r\n\t)\r\n"
        "\ttexture_filter_names ( 1\r\n\t\tnamed_filter_mode ( MipLinear )\r\n\t)\r\n";
    const auto table = [&](const char* name, const char* entry, const char* format) {
        text += std::string("\t") + name + " ( " + std::to_string(kPoints) + "\r\n";
        for (int p = 0; p < kPoints; ++p) {
            std::snprintf(line, sizeof line, format, entry, p % 97, p % 9999, p % 13, (p * 7) % 9999);
            text += line;
        }
        text += "\t)\r\n";
    };
    table("points", "point", "\t\t%s ( %d.%04d %d.%04d -1.25 )\r\n");
    table("uv_points", "uv_point", "\t\t%s ( %d.%04d %d.%04d )\r\n");
    table("normals", "vector", "\t\t%s ( 0.%02d%02d 0.%02d%02d 0.5 )\r\n");
    text += "\tsort_vectors ( 0 )\r\n\tcolours ( 0 )\r\n\tmatrices ( 2\r\n"
            "\t\tmatrix MAIN ( 1 0 0 0 1 0 0 0 1 0 0 0 )\r\n"
            "\t\tmatrix BODY ( 0 0 1 0 1 0 -1 0 0 5 0.5 -2 )\r\n\t)\r\n"
            "\timages ( 1\r\n\t\timage ( wall.ace )\r\n\t)\r\n"
            "\ttextures ( 1\r\n\t\ttexture ( 0 0 0 ff000000 )\r\n\t)\r\n"
            "\tlight_materials ( 0 )\r\n"
            "\tvtx_states ( 2\r\n\t\tvtx_state ( 00000000 0 -5 0 00000002 )\r\n"
            "\t\tvtx_state ( 00000000 1 -5 0 00000002 )\r\n\t)\r\n"
            "\tprim_states ( 1\r\n\t\tprim_state wall ( 00000000 0\r\n\t\t\ttex_idxs ( 1 0 ) 0 0 0 0 1\r\n"
            "\t\t)\r\n\t)\r\n";
}

inline void appendSubObject(std::string& text, int s) {
    char line[200];
    text +=
        "\t\t\t\t\t\tsub_object (\r\n\t\t\t\t\t\t\tsub_object_header ( 00000000 -1 -1 000001d2 000001c4\r\n"
        "\t\t\t\t\t\t\t\tgeometry_info ( 1 1 0 3 0 0 1 0 0 0 geometry_nodes ( 0 ) geometry_node_map ( 0 ) "
        ")\r\n"
        "\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tvertices ( " +
        std::to_string(kVerticesPerSubObject) + "\r\n";
    for (int v = 0; v < kVerticesPerSubObject; ++v) {
        const int point = (s * kVerticesPerSubObject + v) % kPoints;
        std::snprintf(line, sizeof line,
                      "\t\t\t\t\t\t\t\tvertex ( 00000000 %d %d ffffffff ff808080\r\n"
                      "\t\t\t\t\t\t\t\t\tvertex_uvs ( 1 %d )\r\n\t\t\t\t\t\t\t\t)\r\n",
                      point, (point * 3) % kPoints, point);
        text += line;
    }
    const int triangles = kVerticesPerSubObject - 2;
    text += "\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tvertex_sets ( 1\r\n\t\t\t\t\t\t\t\tvertex_set ( " +
            std::to_string(s % 2) + " 0 " + std::to_string(kVerticesPerSubObject) +
            " )\r\n\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\tprimitives ( 2\r\n"
            "\t\t\t\t\t\t\t\tprim_state_idx ( 0 )\r\n\t\t\t\t\t\t\t\tindexed_trilist (\r\n"
            "\t\t\t\t\t\t\t\t\tvertex_idxs ( " +
            std::to_string(triangles * 3);
    for (int t = 0; t < triangles; ++t)
        text += " " + std::to_string(t) + " " + std::to_string(t + 1) + " " + std::to_string(t + 2);
    text += " )\r\n\t\t\t\t\t\t\t\t\tnormal_idxs ( " + std::to_string(triangles);
    for (int t = 0; t < triangles; ++t) text += " " + std::to_string(t % kPoints) + " 3";
    text += " )\r\n\t\t\t\t\t\t\t\t\tflags ( " + std::to_string(triangles);
    for (int t = 0; t < triangles; ++t) text += " 00000000";
    text += " )\r\n\t\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t\t)\r\n\t\t\t\t\t\t)\r\n";
}

/// The whole shape text: the tables, then sub-objects until the text has its size.
inline std::string largeShapeText() {
    std::string text;
    appendTables(text);
    std::string objects;
    int count = 0;
    while (text.size() + objects.size() < kTargetCharacters) appendSubObject(objects, count++);
    text += "\tlod_controls ( 1\r\n\t\tlod_control (\r\n\t\t\tdistance_levels_header ( 0 )\r\n"
            "\t\t\tdistance_levels ( 1\r\n\t\t\t\tdistance_level (\r\n\t\t\t\t\tdistance_level_header (\r\n"
            "\t\t\t\t\t\tdlevel_selection ( 2000 )\r\n\t\t\t\t\t\thierarchy ( 2 -1 0 )\r\n\t\t\t\t\t)\r\n"
            "\t\t\t\t\tsub_objects ( " +
            std::to_string(count) + "\r\n";
    text += objects;
    text += "\t\t\t\t\t)\r\n\t\t\t\t)\r\n\t\t\t)\r\n\t\t)\r\n\t)\r\n)\r\n";
    return text;
}

struct LargeShape {
    std::string path;
    double megabytes = 0.0;
};

inline LargeShape writeLargeShape(bool unicode) {
    const auto path = std::filesystem::temp_directory_path() /
                      (unicode ? "quillfen-bench-shape-16.s" : "quillfen-bench-shape-8.s");
    const std::string text = largeShapeText();
    std::ofstream(path, std::ios::binary) << (unicode ? quillfen::encodeUtf16LeWithBom(text) : text);
    return {path.string(), static_cast<double>(std::filesystem::file_size(path)) / 1e6};
}

/// Written when first asked for: a program that asks for one leaves no other behind.
inline const LargeShape& largeShape(bool unicode) {
    if (unicode) {
        static const LargeShape utf16 = writeLargeShape(true);
        return utf16;
    }
    static const LargeShape eightBit = writeLargeShape(false);
    return eightBit;
}

} // namespace quillfen::bench
