# Every folder of src/ is one library of logic (standard library only). Files that belong to the
# window program (main.cpp, *Window.cpp, *Form.cpp, *Dialog.cpp, Qt*.cpp) are left to the window
# targets, so a logic file that includes a Qt header does not compile. Window classes keep
# their established names (Optionsfrm, Avgform, Resform), hence the lower-case suffixes.
set(TOLMEK_WINDOW_FILE_REGEX "/(main|BatchMain|[A-Za-z0-9]*(Window|Form|form|frm|Dialog|Widget)|Qt[A-Za-z0-9]*)\\.cpp$")

# Of the window files, those that only paint (Qt*Surface.cpp, Qt*Picture.cpp) form a library on
# Qt Gui alone, so the console batch can draw pictures without the widgets.
set(TOLMEK_PAINTING_FILE_REGEX "/Qt[A-Za-z0-9]*(Surface|Picture)\\.cpp$")

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

# The names among ARGN that are targets of this build (window libraries exist only once their
# folder has window files).
function(tolmek_existing_targets out)
  set(existing)
  foreach(name ${ARGN})
    if(TARGET ${name})
      list(APPEND existing ${name})
    endif()
  endforeach()
  set(${out} ${existing} PARENT_SCOPE)
endfunction()

# The window files of one src/ folder as one static library on Qt Widgets (moc on), linked by the
# window program and by the GUI tests. Nothing is made when the folder has no window files yet;
# dependencies that do not exist (yet) are left out.
function(tolmek_window_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  list(FILTER sources INCLUDE REGEX "${TOLMEK_WINDOW_FILE_REGEX}")
  list(FILTER sources EXCLUDE REGEX "/(main|BatchMain)\\.cpp$")
  list(FILTER sources EXCLUDE REGEX "${TOLMEK_PAINTING_FILE_REGEX}")
  if(NOT sources)
    return()
  endif()
  tolmek_existing_targets(links ${ARGN})
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${links} Qt6::Widgets)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
endfunction()

# The painting files of one src/ folder as one static library on Qt Gui.
function(tolmek_painting_library name folder)
  file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  list(FILTER sources INCLUDE REGEX "${TOLMEK_PAINTING_FILE_REGEX}")
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${ARGN} Qt6::Gui)
endfunction()
