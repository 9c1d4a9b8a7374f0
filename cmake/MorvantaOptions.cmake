# Compile settings shared by every target of the project.
add_library(morvanta_options INTERFACE)
target_compile_features(morvanta_options INTERFACE cxx_std_20)
# Every executable answers --version with the project's version.
target_compile_definitions(morvanta_options INTERFACE MORVANTA_VERSION="${PROJECT_VERSION}")
if(MSVC)
  target_compile_options(morvanta_options INTERFACE /W4 /utf-8 /permissive-)
else()
  target_compile_options(morvanta_options INTERFACE -Wall -Wextra -Wpedantic)
  # GCC 12 at -O3 warns about std::u16string copies that cannot overlap
  # (GCC bug 105329); the warning says nothing about our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(morvanta_options INTERFACE -Wno-restrict)
  endif()
endif()
option(MORVANTA_WERROR "Treat warnings as errors" OFF)
if(MORVANTA_WERROR AND NOT MSVC)
  target_compile_options(morvanta_options INTERFACE -Werror)
endif()
option(MORVANTA_SANITIZE "Build with address and undefined-behaviour sanitizers" OFF)
if(MORVANTA_SANITIZE AND NOT MSVC)
  target_compile_options(morvanta_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(morvanta_options INTERFACE -fsanitize=address,undefined)
endif()

# A layer library made of the .cpp files of one or more folders below src/.
# Files ending in _posix.cpp or _win.cpp are taken only on their system.
function(morvanta_layer name)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  endif()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources} ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  morvanta_include_view(${name} ${ARG_DIRS})
  target_link_libraries(${name} PUBLIC morvanta_options ${ARG_DEPS})
endfunction()

# A library sees its own folders and, through what it links, those of the
# layers below it, never the whole src/: each library's include root is a
# folder of its own holding links to its folders only, so an include of a
# layer it does not link fails to compile.
function(morvanta_include_view name)
  set(view ${PROJECT_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${view})
  foreach(dir IN LISTS ARGN)
    if(NOT EXISTS ${view}/${dir})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dir} ${view}/${dir} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${name} PUBLIC ${view})
endfunction()
