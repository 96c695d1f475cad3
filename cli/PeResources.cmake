# ---- lumeric_pe_resources: the module file reader (PE, PiPL, AETE) ----
# Portable, for every build: the lumeric command and the Windows host use it
# to find a module's entry point; the resource tests read the built modules.
if(NOT TARGET lumeric_pe_resources)
  add_library(lumeric_pe_resources STATIC ${CMAKE_CURRENT_LIST_DIR}/PeResources.cpp)
  target_include_directories(lumeric_pe_resources PUBLIC ${PROJECT_SOURCE_DIR})
  lumeric_warnings(lumeric_pe_resources)
endif()
