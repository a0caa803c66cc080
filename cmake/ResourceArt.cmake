# Pictures of the Windows resources (icons, cursors, bitmaps) are kept as ASCII art in the
# source tree and drawn into .ico/.cur/.bmp files at build time by resource_art
# (tools/resgen/ResourceArt.cpp), which the cross build compiles with the build machine's own
# compiler. No binary picture is committed.
include_guard(GLOBAL)

find_program(DUNMOOR_HOST_CXX NAMES c++ g++ clang++ REQUIRED)

# dunmoor_resource_art(RC_FILE ART...): draws each ART file (for example icon131_pageup.ico)
# from resources/<its stem>.txt into art/ of the current build folder, before RC_FILE compiles;
# a bitmap named <stem>-150.bmp or <stem>-200.bmp is the picture at 1.5 or 2 times its size.
# The drawing program is built in the current build folder too: a custom command's output is
# only seen by the folder that makes it.
function(dunmoor_resource_art rc_file)
  set(tool ${CMAKE_CURRENT_BINARY_DIR}/resource_art)
  set(tool_source ${CMAKE_SOURCE_DIR}/tools/resgen/ResourceArt.cpp)
  add_custom_command(
    OUTPUT ${tool}
    COMMAND ${DUNMOOR_HOST_CXX} -std=c++17 -O1 -I${CMAKE_SOURCE_DIR}/mediafiles -o ${tool} ${tool_source}
    DEPENDS ${tool_source} ${CMAKE_SOURCE_DIR}/tools/resgen/PixelArtScale.h ${CMAKE_SOURCE_DIR}/mediafiles/LittleEndian.h
    COMMENT "Building resource_art with the host compiler")
  set(outputs)
  foreach(art ${ARGN})
    get_filename_component(stem ${art} NAME_WE)
    # bitmap129_search-150.bmp: the picture of bitmap129_search.txt at 150 % of its size.
    set(percent 100)
    if(stem MATCHES "^(.+)-(150|200)$")
      set(stem ${CMAKE_MATCH_1})
      set(percent ${CMAKE_MATCH_2})
    endif()
    set(input ${CMAKE_CURRENT_SOURCE_DIR}/resources/${stem}.txt)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/art/${art})
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/art
      COMMAND ${tool} ${input} ${output} ${percent}
      DEPENDS ${tool} ${input}
      COMMENT "Drawing ${art}")
    list(APPEND outputs ${output})
  endforeach()
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${outputs}")
endfunction()
