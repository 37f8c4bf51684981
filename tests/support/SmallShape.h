#pragma once
// The shape most tests of this folder read.

#include <string>

namespace quillfen::test {

/// The converter's layout: two levels, a roof matrix below the root, a textured and an untextured prim_state.
/// Line numbers matter to the damage tables.
inline const std::string kSmallShape =
    "SIMISA@@@@@@@@@@JINX0s1t______\r\n"                                                  // 1
    "shape (\r\n"                                                                         // 2
    "\tshader_names ( 2\r\n"                                                              // 3
    "\t\tnamed_shader ( TexDiff )\r\n"                                                    // 4
    "\t\tnamed_shader ( BlendATexDiff )\r\n"                                              // 5
    "\t)\r\n"                                                                             // 6
    "\tpoints ( 3\r\n"                                                                    // 7
    "\t\tpoint ( 0 0 0 )\r\n"                                                             // 8
    "\t\tpoint ( 1 0 0 )\r\n"                                                             // 9
    "\t\tpoint ( 0 1 -2.5e1 )\r\n"                                                        // 10
    "\t)\r\n"                                                                             // 11
    "\tuv_points ( 1 uv_point ( 0.5 1 ) )\r\n"                                            // 12
    "\tnormals ( 1 vector ( 0 1 0 ) )\r\n"                                                // 13
    "\tmatrices ( 2\r\n"                                                                  // 14
    "\t\tmatrix house ( 1 0 0 0 1 0 0 0 1 0 0 0 )\r\n"                                    // 15
    "\t\tmatrix Roof ( 1 0 0 0 1 0 0 0 1 0 3 0 )\r\n"                                     // 16
    "\t)\r\n"                                                                             // 17
    "\timages ( 1 image ( roof.ace ) )\r\n"                                               // 18
    "\ttextures ( 1 texture ( 0 0 -3 ff000000 ) )\r\n"                                    // 19
    "\tvtx_states ( 1 vtx_state ( 00000000 1 -5 0 00000002 ) )\r\n"                       // 20
    "\tprim_states ( 2\r\n"                                                               // 21
    "\t\tprim_state Roof ( 00000000 1 tex_idxs ( 1 0 ) 0 0 1 0 1 )\r\n"                   // 22
    "\t\tprim_state ( 00000000 0 tex_idxs ( 0 ) 0 0 0 0 1 )\r\n"                          // 23
    "\t)\r\n"                                                                             // 24
    "\tlod_controls ( 1 lod_control (\r\n"                                                // 25
    "\t\tdistance_levels_header ( 0 )\r\n"                                                // 26
    "\t\tdistance_levels ( 2\r\n"                                                         // 27
    "\t\t\tdistance_level (\r\n"                                                          // 28
    "\t\t\t\tdistance_level_header ( dlevel_selection ( 100 ) hierarchy ( 2 -1 0 ) )\r\n" // 29
    "\t\t\t\tsub_objects ( 1 sub_object (\r\n"                                            // 30
    "\t\t\t\t\tsub_object_header ( 00000000 0 1 ( nested ) )\r\n"                         // 31
    "\t\t\t\t\tvertices ( 3\r\n"                                                          // 32
    "\t\t\t\t\t\tvertex ( 00000000 0 0 ffffffff ff000000 vertex_uvs ( 1 0 ) )\r\n"        // 33
    "\t\t\t\t\t\tvertex ( 00000000 1 0 ffffffff ff000000 vertex_uvs ( 1 0 ) )\r\n"        // 34
    "\t\t\t\t\t\tvertex ( 00000000 2 0 ffffffff ff000000 vertex_uvs ( 0 ) )\r\n"          // 35
    "\t\t\t\t\t)\r\n"                                                                     // 36
    "\t\t\t\t\tvertex_sets ( 1 vertex_set ( 0 0 3 ) )\r\n"                                // 37
    "\t\t\t\t\tprimitives ( 2 prim_state_idx ( 0 )\r\n"                                   // 38
    "\t\t\t\t\t\tindexed_trilist ( vertex_idxs ( 3 0 1 2 ) normal_idxs ( 1 0 3 ) "
    "flags ( 1 00000000 ) )\r\n" // 39
    "\t\t\t\t\t)\r\n"            // 40
    "\t\t\t\t) )\r\n"            // 41
    "\t\t\t)\r\n"                // 42
    "\t\t\tdistance_level ( distance_level_header ( dlevel_selection ( 500 ) "
    "hierarchy ( 2 -1 0 ) ) sub_objects ( 0 ) )\r\n" // 43
    "\t\t)\r\n"                                      // 44
    "\t) )\r\n"                                      // 45
    ")\r\n"                                          // 46
    "max_data ( whatever ( ) )\r\n";                 // 47

} // namespace quillfen::test
