# Helpers shared by the source, tool, test, bench and fuzz folders.

# Every .cpp under DIR (recursively) except those in EXCLUDE, as a list in OUT.
function(zelto_collect_sources OUT DIR)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${DIR}/*.cpp" "${DIR}/*.h")
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER found EXCLUDE REGEX "${ex}")
  endforeach()
  set(${OUT} ${found} PARENT_SCOPE)
endfunction()

# Gives an executable a version block (file description and the project's version) in the
# ELF section that the launcher's file-version reader looks for, as a Windows build has it
# in its version resource.
function(zelto_add_version_block TARGET DESCRIPTION)
  set(ZELTO_VERSION_TARGET ${TARGET})
  set(ZELTO_VERSION_DESCRIPTION ${DESCRIPTION})
  set(generated ${CMAKE_BINARY_DIR}/version/${TARGET}_version.cpp)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionBlock.cpp.in ${generated} @ONLY)
  target_sources(${TARGET} PRIVATE ${generated})
endfunction()
