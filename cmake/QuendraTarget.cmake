# What this build tree is for: the shipped 32-bit images, every image 64-bit under
# Wine, or the portable code on the build machine.
if(WIN32)
  set(QUENDRA_WINDOWS ON)
  enable_language(RC)
  math(EXPR QUENDRA_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  # Every image stands alone: no MinGW runtime DLL may be needed beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Hardened images: ASLR with a relocation table, DEP, and on 64-bit the high-entropy
  # address space.
  add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
  # Reproducible images: the same commit gives the same bytes wherever and whenever
  # it is built. No link time stamp, no build paths, no debug sections.
  add_link_options(-Wl,--no-insert-timestamp -s)
  # Sections on page boundaries in the file as well as in memory: Wine then maps an
  # image straight from the file instead of copying it in section by section, which
  # makes loading lumapack.dll several times faster there. Windows loads either
  # layout alike; the images grow by the padding, a few kilobytes.
  add_link_options(-Wl,--file-alignment,0x1000)
  add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  add_compile_options(-Wall -Wextra)
  # Both trees run their Windows behaviour under Wine: the 64-bit one under wine64,
  # the 32-bit one, which holds the shipped images, under the 32-bit loader.
  set(QUENDRA_RUN_TESTS ON)
else()
  set(QUENDRA_WINDOWS OFF)
  set(QUENDRA_BITS 64)
  set(QUENDRA_RUN_TESTS ON)
  add_compile_options(-Wall -Wextra)
  if(QUENDRA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# Adds the Windows or the host variant of a component's sources, by file name:
#   quendra_platform_sources(target WINDOWS a.cpp HOST b.cpp)
function(quendra_platform_sources target)
  cmake_parse_arguments(S "" "" "WINDOWS;HOST" ${ARGN})
  if(QUENDRA_WINDOWS)
    target_sources(${target} PRIVATE ${S_WINDOWS})
  else()
    target_sources(${target} PRIVATE ${S_HOST})
  endif()
endfunction()
