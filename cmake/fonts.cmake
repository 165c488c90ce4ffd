# The platform's fixed fonts: free console fonts (Debian's console-setup-linux,
# installed by scripts/install-deps) turned into glyph tables at build time.
#   kelvane_add_fonts(TARGET ROOT): adds the tables to TARGET's sources;
#   ROOT is the source tree holding tools/font/psf_to_table.cpp.

set(KELVANE_CONSOLE_FONTS /usr/share/consolefonts CACHE PATH "Folder of the PSF console fonts")
set(KELVANE_SYSTEM_FIXED_FONT Lat15-Fixed16.psf.gz CACHE STRING "Console font behind SYSTEM_FIXED_FONT")
set(KELVANE_ANSI_FIXED_FONT Lat15-Fixed13.psf.gz CACHE STRING "Console font behind ANSI_FIXED_FONT")

# A build whose own programs cannot run on this machine (the web page's)
# takes the generator of the desktop build.
set(KELVANE_PSF_TABLE "" CACHE FILEPATH "Font table generator built for this machine")

function(kelvane_add_fonts target root)
  if(KELVANE_PSF_TABLE)
    set(generator ${KELVANE_PSF_TABLE})
  else()
    find_package(ZLIB REQUIRED)
    if(NOT TARGET kelvane-psf-table)
      add_executable(kelvane-psf-table ${root}/tools/font/psf_to_table.cpp)
      target_link_libraries(kelvane-psf-table PRIVATE ZLIB::ZLIB)
    endif()
    set(generator kelvane-psf-table)
  endif()
  set(generated)
  foreach(pair "kSystemFixedFont;${KELVANE_SYSTEM_FIXED_FONT}" "kAnsiFixedFont;${KELVANE_ANSI_FIXED_FONT}")
    list(GET pair 0 name)
    list(GET pair 1 file)
    set(font ${KELVANE_CONSOLE_FONTS}/${file})
    if(NOT EXISTS ${font})
      message(FATAL_ERROR "The console font ${font} is missing: run scripts/install-deps "
                          "(package console-setup-linux) or set KELVANE_CONSOLE_FONTS.")
    endif()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/fonts/${name}.cpp)
    add_custom_command(OUTPUT ${out}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/fonts
                       COMMAND ${generator} ${font} ${name} ${out}
                       DEPENDS ${generator} ${font}
                       COMMENT "Font table ${name} from ${file}"
                       VERBATIM)
    list(APPEND generated ${out})
  endforeach()
  target_sources(${target} PRIVATE ${generated})
endfunction()
