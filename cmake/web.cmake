# The build for the browser (Emscripten): the same layers as on Linux over
# the platform subset, with the web host below it in place of the SDL2 and
# headless hosts (platform/CMakeLists.txt). Included by the top-level file
# once the layers' libraries are defined; it adds the program, linked for
# the browser, and the page: index.html is ours, copied beside the .js and
# .wasm that emcc writes.

add_executable(kelvane platform/host/web/main.cpp)
target_link_libraries(kelvane PRIVATE kelvane_system kelvane_host_web)

# The program waits in two places, the host's waitEvent and waitEventFor,
# reached only as
#   main -> callWinMain -> WinMain -> runMessageLoop -> GetMessageA or
#   WaitMessage -> waitForHostInput -> Host::waitEvent (virtual) -> WebHost::waitEvent
#   main -> ... -> runMessageLoop -> MsgWaitForMultipleObjects (the painter's
#   replay between polygons) -> Host::waitEventFor (virtual) -> WebHost::waitEventFor
# (nothing DispatchMessageA reaches, the window procedure included, waits).
# Left to itself Asyncify must assume that every indirect call, and
# with exceptions every invoke_ import, can pause, and instruments nearly
# every function: 608 KB of wasm with exceptions, 370 KB without them. Only
# these paths: about 300 KB with exceptions. A function missing from the list
# would break every wait, which make test-web exercises. The optimiser
# inlines some of these before Asyncify runs, and the link then warns that
# they are missing from the module: they stay listed for when it does not.
set(asyncify_only ${CMAKE_CURRENT_BINARY_DIR}/asyncify-only.txt)
file(CONFIGURE OUTPUT ${asyncify_only} CONTENT [[main
platform::callWinMain*
WinMain*
runMessageLoop*
GetMessageA*
WaitMessage*
MsgWaitForMultipleObjects*
platform::waitForHostInput*
platform::WebHost::waitEvent()*
platform::WebHost::waitEventFor*
]])

# MODULARIZE: every start of the program is a fresh instance with fresh
# memory, which is how the page restarts it after Escape. ASYNCIFY lets the
# message loop's wait return to the browser; only the functions on the path
# above are instrumented. FS stays in for scene files the page writes before
# a start. Win32 tells a resource or class name's atom
# (MAKEINTRESOURCE) from a string by its address being below 0x10000, as
# Windows never maps that range; GLOBAL_BASE keeps the program's data, and the
# stack and heap after it, above it too.
target_link_options(kelvane PRIVATE
  -Oz
  -fexceptions
  -sGLOBAL_BASE=65536
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=16384 -sASYNCIFY_ONLY=@${asyncify_only}
  -sMODULARIZE=1 -sEXPORT_NAME=createKelvane
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=33554432
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS
  -sENVIRONMENT=web)
set_target_properties(kelvane PROPERTIES SUFFIX .js LINK_DEPENDS ${asyncify_only})

# Scenes for the page: the example files go beside it, listed in
# examples/index.json. The page offers files only when the program reads them
# (the model/ library, `kelvane FILE`); until then it shows the built-in scene.
file(GLOB KELVANE_EXAMPLES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/examples/*.*)
list(FILTER KELVANE_EXAMPLES EXCLUDE REGEX "\\.(md|txt|png)$")
set(example_names "")
foreach(example ${KELVANE_EXAMPLES})
  get_filename_component(name ${example} NAME)
  list(APPEND example_names "\"${name}\"")
  configure_file(${example} ${CMAKE_CURRENT_BINARY_DIR}/examples/${name} COPYONLY)
endforeach()
list(JOIN example_names ", " example_names)
if(TARGET kelvane_model)
  set(opens_files true)
else()
  set(opens_files false)
endif()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/examples/index.json
     CONTENT "{\"opensFiles\": ${opens_files}, \"examples\": [${example_names}]}\n")

set(page_files "")
foreach(page index.html kelvane-page.js kelvane-page.css)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${page}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/web/${page} ${CMAKE_CURRENT_BINARY_DIR}/${page}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/${page})
  list(APPEND page_files ${CMAKE_CURRENT_BINARY_DIR}/${page})
endforeach()
add_custom_target(kelvane-page ALL DEPENDS ${page_files})
