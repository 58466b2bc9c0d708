# Warnings are errors for every compiler the project is built with.
add_compile_options(-Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor
                    -Woverloaded-virtual -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # g++ 12 reports false positives from inlined standard-library code.
  add_compile_options(-Wno-maybe-uninitialized -Wno-stringop-overflow -Wno-array-bounds -Wno-restrict)
endif()

# lm7_layer(NAME DIR [DEPS ...]): one static library built from every source below DIR.
function(lm7_layer name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    # Installed, the libraries keep a prefix so that they do not clash with others in lib/.
    set_target_properties(${name} PROPERTIES OUTPUT_NAME lm7_${name})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/src>
                                              $<INSTALL_INTERFACE:include/lm7>)
  # The headers are C++20: a project that uses the installed libraries is compiled as C++20 too.
  target_compile_features(${name} ${scope} cxx_std_20)
  if(ARGN)
    target_link_libraries(${name} ${scope} ${ARGN})
  endif()
endfunction()
