# Warning flags for every target of the project, and the sanitizer build.
add_library(agendix_warnings INTERFACE)
target_compile_options(agendix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wconversion
  # partial aggregate initialisation relies on the default member initialisers
  -Wno-missing-field-initializers)
if(AGENDIX_WERROR)
  target_compile_options(agendix_warnings INTERFACE -Werror)
endif()

if(AGENDIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# One static library per source folder: every .cpp of the folder, named agendix_<folder>.
function(agendix_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
                                      ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE agendix_warnings ${ARG_PRIVATE_DEPS})
endfunction()
