SIMISA@@@@@@@@@@JINX0s1t______
shape (
	shader_names ( 2
		named_shader ( TexDiff )
		named_shader ( BlendATexDiff )
	)
	points ( 3
		point ( 0 0 0 )
		point ( 1 0 0 )
		point ( 0 1 -2.5e1 )
	)
	uv_points ( 1 uv_point ( 0.5 1 ) )
	normals ( 1 vector ( 0 1 0 ) )
	matrices ( 2
		matrix house ( 1 0 0 0 1 0 0 0 1 0 0 0 )
		matrix Roof ( 1 0 0 0 1 0 0 0 1 0 3 0 )
	)
	images ( 1 image ( roof.ace ) )
	textures ( 1 texture ( 0 0 -3 ff000000 ) )
	vtx_states ( 1 vtx_state ( 00000000 1 -5 0 00000002 ) )
	prim_states ( 2
		prim_state Roof ( 00000000 1 tex_idxs ( 1 0 ) 0 0 1 0 1 )
		prim_state ( 00000000 0 tex_idxs ( 0 ) 0 0 0 0 1 )
	)
	lod_controls ( 1 lod_control (
		distance_levels_header ( 0 )
		distance_levels ( 2
			distance_level (
				distance_level_header ( dlevel_selection ( 100 ) hierarchy ( 2 -1 0 ) )
				sub_objects ( 1 sub_object (
					sub_object_header ( 00000000 0 1 ( nested ) )
					vertices ( 3
						vertex ( 00000000 0 0 ffffffff ff000000 vertex_uvs ( 1 0 ) )
						vertex ( 00000000 1 0 ffffffff ff000000 vertex_uvs ( 1 0 ) )
						vertex ( 00000000 2 0 ffffffff ff000000 vertex_uvs ( 0 ) )
					)
					vertex_sets ( 1 vertex_set ( 0 0 3 ) )
					primitives ( 2 prim_state_idx ( 0 )
						indexed_trilist ( vertex_idxs ( 3 0 1 2 ) normal_idxs ( 1 0 3 ) flags ( 1 00000000 ) )
					)
				) )
			)
			distance_level ( distance_level_header ( dlevel_selection ( 500 ) hierarchy ( 2 -1 0 ) ) sub_objects ( 0 ) )
		)
	) )
)
max_data ( whatever ( ) )
