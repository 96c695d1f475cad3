# Layers the build enforces. Every library publishes only its own folder:
# a directory in the build tree that holds one link, <folder> -> the source
# folder, so that "engine/Engrave.h" resolves for the library itself and
# for the targets that link it, and for nothing else. A library that
# includes a header of a layer it does not link fails to compile.
#
#   settings <- engine <- host <- dialog, controls <- module;  cli on top.

function(lumeric_layer target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
