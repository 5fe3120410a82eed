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
