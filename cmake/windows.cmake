# The Windows build: the program's own folders against the real Windows
# headers and system DLLs, without our layer, and the script driver that
# drives it from outside. Included by CMakeLists.txt when cross-compiling
# (cmake/mingw-i686.cmake).
enable_language(RC)

# The C++ runtime goes inside the executables, so they need no DLL but the system's.
add_link_options(-static -static-libgcc -static-libstdc++)

# Every source of the program's folders; the entry point is WinMain.
file(GLOB_RECURSE APP_SOURCES CONFIGURE_DEPENDS
  app/*.cpp util/*.cpp settings/*.cpp runes/*.cpp editor/*.cpp gfx/*.cpp)

file(GLOB STONECALL_BITMAPS CONFIGURE_DEPENDS res/bitmaps/*.bmp)
set_source_files_properties(res/stonecall.rc PROPERTIES OBJECT_DEPENDS "${STONECALL_BITMAPS}")

# The icon Explorer shows is a resource of its own, beside the program's.
set_source_files_properties(packaging/windows-icon.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/icons/stonecall.ico)
add_executable(stonecall WIN32 ${APP_SOURCES} res/stonecall.rc packaging/windows-icon.rc)
target_include_directories(stonecall PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(stonecall PRIVATE comdlg32 gdi32 user32 kernel32)

# The driver reads scripts and writes the window dump with the very files
# our layer's script runner uses (they need the standard library and, for
# menus, the system's <windows.h>, never our layer's headers), so the two
# cannot drift apart.
file(GLOB DRIVE_SOURCES CONFIGURE_DEPENDS platform/win32drive/*.cpp)
add_executable(stonecall-drive ${DRIVE_SOURCES}
  platform/testing/script_steps.cpp platform/testing/key_names.cpp platform/testing/window_json.cpp
  platform/testing/menu_entries.cpp platform/kernel32/codepage.cpp)
target_include_directories(stonecall-drive PRIVATE ${CMAKE_SOURCE_DIR}/platform)
target_link_libraries(stonecall-drive PRIVATE gdi32 user32 kernel32)

# The zip: the program, the sample spreads, the report's pictures, the help page.
include(packaging/install.cmake)
