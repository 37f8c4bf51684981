SIMISA@@@@@@@@@@JINX0s1t______

shape (
	points ( 2000000000
		point ( 1 2 3 )
	)
	uv_points ( 2000000000
		uv_point ( 0.5 0.5 )
	)
	matrices ( 1
		matrix BODY0 ( 1 0 0 0 1 0 0 0 1 0 0 0 )
	)
	images ( 1
		image ( wall.ace )
	)
	vtx_states ( 1
		vtx_state ( 00000000 0 -5 0 00000002 )
	)
	prim_states ( 1
		prim_state wall ( 00000000 0
			tex_idxs ( 1 0 ) 0 0 0 0 1
		)
	)
	lod_controls ( 1
		lod_control (
			distance_levels ( 1
				distance_level (
					distance_level_header (
						dlevel_selection ( 100 )
						hierarchy ( 1 -1 )
					)
					sub_objects ( 1
						sub_object (
							vertices ( 1
								vertex ( 00000000 0 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
							)
							vertex_sets ( 99999
								vertex_set ( 0 0 1 )
							)
							primitives ( 1
								prim_state_idx ( 0 )
							)
						)
					)
				)
			)
		)
	)
)
