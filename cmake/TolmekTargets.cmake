# Every folder of src/ is one library of logic (standard library only). Files that belong to the
# window program (main.cpp, *Window.cpp, *Form.cpp, *Dialog.cpp, Qt*.cpp) are left to the window
# targets, so a logic file that includes a Qt header does not compile.
set(TOLMEK_WINDOW_FILE_REGEX "/(main|BatchMain|[A-Za-z0-9]*Window|[A-Za-z0-9]*Form|[A-Za-z0-9]*Dialog|Qt[A-Za-z0-9]*)\\.cpp$")

function(tolmek_logic_library name)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER sources EXCLUDE REGEX "${TOLMEK_WINDOW_FILE_REGEX}")
  if(sources)
    add_library(${name} STATIC ${sources})
  else()
    add_library(${name} INTERFACE)
  endif()
  get_target_property(kind ${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} INTERFACE ${ARGN})
  else()
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
endfunction()

# The window files of the current folder.
function(tolmek_window_sources out)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  list(FILTER sources INCLUDE REGEX "${TOLMEK_WINDOW_FILE_REGEX}")
  list(FILTER sources EXCLUDE REGEX "/(main|BatchMain)\\.cpp$")
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
