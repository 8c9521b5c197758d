# Shared settings for the project's own targets.

# Off for a plain configure, so that another compiler's or distribution's new warnings do not
# stop a user's build; the project's presets and CI turn it on.
option(VISION_DESK_WERROR "Treat compiler warnings as errors" OFF)

if(VISION_DESK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# ThreadSanitizer cannot be combined with AddressSanitizer: a configuration of its own. Qt is not
# built with it: run with TSAN_OPTIONS=ignore_noninstrumented_modules=1 (the tsan test preset does),
# or memory that Qt's own thread pool hands over shows as races.
if(VISION_DESK_TSAN)
  if(VISION_DESK_SANITIZE)
    message(FATAL_ERROR "VISION_DESK_TSAN and VISION_DESK_SANITIZE cannot be combined")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

# Every literal text of the program is GBK (code page 936) bytes: sources are UTF-8 and the
# compiler converts narrow literals. u8"", u"" and U"" literals are unaffected.
# clang has no converting execution character set: there vd_target_defaults compiles copies of
# the sources whose ordinary literals cmake/ConvertLiterals.cpp has converted to GB18030 (same
# bytes as GBK for every GBK character), with the copies' tree first on the include path; clang
# keeps those bytes as they are.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(VISION_DESK_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP936)
elseif(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(VISION_DESK_CHARSET_FLAGS -Wno-invalid-source-encoding)
  set(VISION_DESK_GBK_TREE ${PROJECT_BINARY_DIR}/gbk-literals)
  add_executable(vd_convert_literals ${CMAKE_CURRENT_LIST_DIR}/ConvertLiterals.cpp)
  set(gbk_folders app common platform json http vision demo tests bench fuzz)
  list(TRANSFORM gbk_folders APPEND "/*.cpp" OUTPUT_VARIABLE gbk_patterns)
  list(TRANSFORM gbk_folders APPEND "/*.h" OUTPUT_VARIABLE gbk_header_patterns)
  file(GLOB_RECURSE gbk_files CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${gbk_patterns} ${gbk_header_patterns})
  list(TRANSFORM gbk_files PREPEND ${VISION_DESK_GBK_TREE}/ OUTPUT_VARIABLE VISION_DESK_GBK_COPIES)
  add_custom_target(vd_gbk_literals
    COMMAND vd_convert_literals ${PROJECT_SOURCE_DIR} ${VISION_DESK_GBK_TREE} ${gbk_files}
    BYPRODUCTS ${VISION_DESK_GBK_COPIES}
    COMMENT "Converting literals to GBK"
    VERBATIM)
else()
  set(VISION_DESK_CHARSET_FLAGS)
endif()

# Qt's headers include libstdc++'s <chrono>, whose C++20 part holds the narrow literal "µs"; GBK
# has no µ, so code page 936 cannot compile it. GB18030 gives every GBK character the same bytes
# and encodes the rest: translation units that include Qt use it (tests check literal bytes in both).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(VISION_DESK_QT_CHARSET_FLAGS -fexec-charset=GB18030)
else()
  set(VISION_DESK_QT_CHARSET_FLAGS)
endif()

# For a target whose sources include Qt headers; call after vd_target_defaults (the later flag wins).
function(vd_uses_qt_headers target)
  target_compile_options(${target} PRIVATE ${VISION_DESK_QT_CHARSET_FLAGS})
endfunction()

# g++ 12 at -O3 reports -Wrestrict inside libstdc++'s std::string concatenation where nothing
# overlaps (a known false positive of g++ 12): there it stays a warning, not an error.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  set(VISION_DESK_WERROR_FLAGS -Werror -Wno-error=restrict)
else()
  set(VISION_DESK_WERROR_FLAGS -Werror)
endif()

function(vd_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
    $<$<BOOL:${VISION_DESK_WERROR}>:${VISION_DESK_WERROR_FLAGS}>
    ${VISION_DESK_CHARSET_FLAGS})
  if(VISION_DESK_GBK_TREE)
    # At the end of the directory, so that source properties set after the target are copied.
    cmake_language(EVAL CODE "cmake_language(DEFER CALL vd_compile_gbk_copies [[${target}]])")
  endif()
endfunction()

# Swaps the target's own sources for their converted copies (see VISION_DESK_GBK_TREE).
function(vd_compile_gbk_copies target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  set(compiled)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} NORMALIZE OUTPUT_VARIABLE path)
    cmake_path(RELATIVE_PATH path BASE_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE relative)
    if(${VISION_DESK_GBK_TREE}/${relative} IN_LIST VISION_DESK_GBK_COPIES)
      set(copy ${VISION_DESK_GBK_TREE}/${relative})
      foreach(property COMPILE_DEFINITIONS COMPILE_OPTIONS INCLUDE_DIRECTORIES)
        get_source_file_property(value ${path} ${property})
        if(value)
          set_source_files_properties(${copy} PROPERTIES ${property} "${value}")
        endif()
      endforeach()
      list(APPEND compiled ${copy})
    else()
      list(APPEND compiled ${source})
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY SOURCES ${compiled})
  target_include_directories(${target} BEFORE PRIVATE ${VISION_DESK_GBK_TREE})
  add_dependencies(${target} vd_gbk_literals)
endfunction()

# A static library of one subsystem: vd_library(name SOURCES ... DEPS ...)
function(vd_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  vd_target_defaults(${name})
endfunction()

# The library of one folder, made of every .cpp file in it:
# vd_folder_library(name DEPS ... PRIVATE_DEPS ...). A folder without sources yet gives an
# interface library, so that its dependants configure.
function(vd_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    vd_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS} PRIVATE_DEPS ${ARG_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
