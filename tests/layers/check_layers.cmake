# Reads the #include lines of src/, cli/ and tools/ and fails on any include
# that reaches up a layer, and on any Qt include outside src/ui.
#   cmake -DSOURCE_DIR=<project root> -P check_layers.cmake
#
# Each folder of src/ may include its own headers and those of lower layers. app ranks above bbox (the
# shared start-up, choices and quit use the box values' rules); the front end cli/ ranks with ui, the
# stand-in converter tools/conv3ds (platform and texture) above the texture layer.
foreach(rank IN ITEMS platform=1 core=2 settings=3 sfile=3 texture=3 shape=3 bbox=4 conv3ds=4 app=5 run=6 ui=7 cli=7)
  string(REPLACE "=" ";" rank "${rank}")
  list(GET rank 1 value)
  list(GET rank 0 folder)
  set(rank_${folder} ${value})
endforeach()

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "SOURCE_DIR is not set")
endif()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp"
     "${SOURCE_DIR}/cli/*.h" "${SOURCE_DIR}/cli/*.cpp"
     "${SOURCE_DIR}/tools/conv3ds/*.h" "${SOURCE_DIR}/tools/conv3ds/*.cpp")

set(faults "")
foreach(source IN LISTS sources)
  if(source MATCHES "^src/([^/]+)/")
    set(folder "${CMAKE_MATCH_1}")
  elseif(source MATCHES "^cli/")
    set(folder cli)
  elseif(source MATCHES "^tools/conv3ds/")
    set(folder conv3ds)
  else()
    continue() # src/main.cpp and the like: the program's own entry
  endif()
  if(NOT DEFINED rank_${folder})
    list(APPEND faults "${source}: the folder '${folder}' has no layer in tests/layers/check_layers.cmake")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" included "${line}")
    if(included MATCHES "^Q[A-Za-z]" AND NOT folder STREQUAL "ui")
      list(APPEND faults "${source}: Qt header <${included}> outside src/ui")
    endif()
    if(included MATCHES "^([a-z0-9]+)/")
      set(target "${CMAKE_MATCH_1}")
      # `quillfen-cli render` draws with the 3D view's renderer through its one Qt-free header.
      if(folder STREQUAL "cli" AND included STREQUAL "ui/view3d/RenderCommand.h")
        continue()
      endif()
      if(DEFINED rank_${target} AND NOT target STREQUAL folder)
        if(NOT rank_${target} LESS rank_${folder})
          list(APPEND faults "${source}: includes ${included}, which is not below ${folder}")
        endif()
      endif()
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include within the layers")
