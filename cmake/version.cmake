# The release's version (tools/version), written at every build into a header
# that changes only when the version does, and into version.txt for make dist.
set(VANTREL_VERSION_DIR ${CMAKE_BINARY_DIR}/generated/version)
set(VANTREL_VERSION_HEADER ${VANTREL_VERSION_DIR}/vantrel_version.h)
add_custom_target(vantrel_version
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DHEADER=${VANTREL_VERSION_HEADER}
          -DTEXT=${CMAKE_BINARY_DIR}/version.txt -P ${CMAKE_SOURCE_DIR}/cmake/write_version.cmake
  BYPRODUCTS ${VANTREL_VERSION_HEADER} ${CMAKE_BINARY_DIR}/version.txt
  COMMENT "Checking the version" VERBATIM)

# Lets `target` include "vantrel_version.h".
function(vantrel_use_version target)
  target_include_directories(${target} PRIVATE ${VANTREL_VERSION_DIR})
  add_dependencies(${target} vantrel_version)
endfunction()

# The copyright line, as the licence gives it.
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE VANTREL_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

# A VERSIONINFO resource for `target`: its description, file name and kind (APP or DLL).
function(vantrel_version_resource target description filename kind)
  set(VERSION_DESCRIPTION "${description}")
  set(VERSION_FILENAME "${filename}")
  set(VERSION_FILETYPE VFT_${kind})
  set(VERSION_COPYRIGHT "${VANTREL_COPYRIGHT}")
  set(rc ${VANTREL_VERSION_DIR}/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${VANTREL_VERSION_HEADER})
  target_sources(${target} PRIVATE ${rc})
  vantrel_use_version(${target})
endfunction()
