# The Windows build: the same layers as on Linux against the real Win32, GDI
# and DirectDraw, with nothing of platform/ (platform/win32.h includes the
# system headers when _WIN32 is defined). Included by the top-level file
# after the common flags; kelvane_sources() comes from there.

kelvane_sources(GEOMETRY_SRC geometry)
kelvane_sources(POLYGON_SRC polygon)
kelvane_sources(BSP_SRC bsp)
kelvane_sources(MODEL_SRC model)
# The program reads scene files but writes no meshes; the writer is POSIX.
list(REMOVE_ITEM MODEL_SRC ${CMAKE_CURRENT_SOURCE_DIR}/model/mesh_export.cpp)
kelvane_sources(DISPLAY_SRC display)
kelvane_sources(INTERACTION_SRC interaction)
kelvane_sources(APP_SRC app)
# The command line's option table and Windows' splitting rules; the rest of
# support/ writes files, which this program does not.
set(SUPPORT_SRC ${CMAKE_CURRENT_SOURCE_DIR}/support/command_line.cpp
                ${CMAKE_CURRENT_SOURCE_DIR}/support/command_line_text.cpp)

set(KELVANE_WIN_SRC ${GEOMETRY_SRC} ${POLYGON_SRC} ${BSP_SRC} ${MODEL_SRC}
                    ${DISPLAY_SRC} ${INTERACTION_SRC} ${APP_SRC} ${SUPPORT_SRC})

# A GUI program: the C runtime calls the program's own WinMain and no console
# opens. Everything of the compiler's runtime is linked in, so the one file
# needs nothing but the system's DLLs.
add_executable(kelvane WIN32 ${KELVANE_WIN_SRC})
set_target_properties(kelvane PROPERTIES OUTPUT_NAME kelvane SUFFIX .exe)
target_include_directories(kelvane PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_options(kelvane PRIVATE -mwindows -static -static-libgcc -static-libstdc++)
target_link_libraries(kelvane PRIVATE ddraw gdi32 user32)
