# Shared settings for the project's own targets.

if(VISION_DESK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Every literal text of the program is GBK (code page 936) bytes: sources are UTF-8 and the
# compiler converts narrow literals. u8"", u"" and U"" literals are unaffected.
set(VISION_DESK_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP936)

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
