SIMISA@@@@@@@@@@JINX0s1t______

shape (
	points ( 3
		point ( 1 2 3 )
		point ( -4 5 0.03125 )
		point ( 7 -8 9 )
	)
	uv_points ( 1
		uv_point ( 0.5 0.5 )
	)
	matrices ( 3
		matrix BODY0 ( 1 0 0 0 1 0 0 0 1 0 0 0 )
		matrix BODY1 ( 1 0 0 0 1 0 0 0 1 10 0 0 )
		matrix BODY2 ( 0 0 1 0 1 0 -1 0 0 5 0 0 )
	)
	images ( 1
		image ( wall.ace )
	)
	vtx_states ( 3
		vtx_state ( 00000000 0 -5 0 00000002 )
		vtx_state ( 00000000 1 -5 0 00000002 )
		vtx_state ( 00000000 2 -5 0 00000002 )
	)
	prim_states ( 1
		prim_state wall ( 00000000 0
			tex_idxs ( 1 0 ) 0 0 0 0 1
		)
	)
	lod_controls ( 1
		lod_control (
			distance_levels ( 2
				distance_level (
					distance_level_header (
						dlevel_selection ( 100 )
						hierarchy ( 3 -1 0 1 )
					)
					sub_objects ( 2
						sub_object (
							vertices ( 4
								vertex ( 00000000 0 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
								vertex ( 00000000 1 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
								vertex ( 00000000 2 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
								vertex ( 00000000 1 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
							)
							vertex_sets ( 2
								vertex_set ( 2 0 2 )
								vertex_set ( 1 2 2 )
							)
							primitives ( 1
								prim_state_idx ( 0 )
							)
						)
						sub_object (
							vertices ( 2
								vertex ( 00000000 2 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
								vertex ( 00000000 0 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
							)
							vertex_sets ( 1
								vertex_set ( 0 0 2 )
							)
							primitives ( 1
								prim_state_idx ( 0 )
							)
						)
					)
				)
				distance_level (
					distance_level_header (
						dlevel_selection ( 200 )
						hierarchy ( 3 -1 0 0 )
					)
					sub_objects ( 1
						sub_object (
							vertices ( 1
								vertex ( 00000000 1 0 FFFFFFFF FF000000
									vertex_uvs ( 1 0 )
								)
							)
							vertex_sets ( 1
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
