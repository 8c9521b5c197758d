# Shared settings for the project's own targets.

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
# clang has no converting execution character set (fuzz builds): there the flags are left out.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(VISION_DESK_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP936)
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

function(vd_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough -Werror
    ${VISION_DESK_CHARSET_FLAGS})
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
