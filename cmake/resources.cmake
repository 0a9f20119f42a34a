# Resources the Windows way: a resource script is compiled by binutils' windres
# into a standard .res file, whose bytes are then linked into a target. Our
# FindResourceA & co. read that .res image as Windows reads a module's resources.
#
#   stonecall_embed_resources(TARGET RCFILE SYMBOL [MAIN] [DEPENDS files...])
#
# gives TARGET the function  const unsigned char *SYMBOL(size_t *size);
# MAIN also registers the image as the program's main module at start-up.
# DEPENDS names the files the script pulls in (bitmaps), so that editing one
# rebuilds the .res.
#
# windres only parses; the C preprocessor does the #includes. We hand it plain
# cpp (no MinGW compiler needed) with RC_INVOKED defined, as rc.exe does, so
# our headers show windres their #defines only; -I also tells windres where to
# look for the files named in the script.

find_program(STONECALL_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
find_program(STONECALL_RC_CPP NAMES cpp REQUIRED)
set(STONECALL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_res.cmake)
set(STONECALL_RC_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/../platform/include)
get_filename_component(STONECALL_RC_INCLUDE ${STONECALL_RC_INCLUDE} ABSOLUTE)

function(stonecall_embed_resources TARGET RCFILE SYMBOL)
  cmake_parse_arguments(ARG "MAIN" "" "DEPENDS" ${ARGN})
  get_filename_component(rc ${RCFILE} ABSOLUTE)
  get_filename_component(rcdir ${rc} DIRECTORY)
  set(res ${CMAKE_CURRENT_BINARY_DIR}/${SYMBOL}.res)
  set(cpp ${CMAKE_CURRENT_BINARY_DIR}/${SYMBOL}.cpp)
  file(GLOB headers ${STONECALL_RC_INCLUDE}/*.h)
  add_custom_command(OUTPUT ${res}
    COMMAND ${STONECALL_WINDRES} --preprocessor=${STONECALL_RC_CPP} --preprocessor-arg=-DRC_INVOKED
            -I ${STONECALL_RC_INCLUDE} -I ${rcdir} -J rc -O res -i ${rc} -o ${res}
    DEPENDS ${rc} ${headers} ${ARG_DEPENDS}
    COMMENT "Compiling resource script ${RCFILE}"
    VERBATIM)
  set(main OFF)
  if(ARG_MAIN)
    set(main ON)
    target_include_directories(${TARGET} PRIVATE ${STONECALL_RC_INCLUDE}/..)
  endif()
  add_custom_command(OUTPUT ${cpp}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${res} -DOUTPUT=${cpp} -DSYMBOL=${SYMBOL} -DMAIN=${main}
            -P ${STONECALL_EMBED_SCRIPT}
    DEPENDS ${res} ${STONECALL_EMBED_SCRIPT}
    COMMENT "Embedding ${SYMBOL}.res"
    VERBATIM)
  target_sources(${TARGET} PRIVATE ${cpp})
endfunction()
