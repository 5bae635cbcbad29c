# The Windows program, layer by layer (see pelnor_layer): each library links
# the layers it may include, and nothing above them.
#   core < winbase < toolkit, platform < help < dialogs < mascot < app
# The assets' resource ids are for help, dialogs and mascot.
add_library(pelnor_assets INTERFACE)
pelnor_layer(pelnor_assets assets INTERFACE)

# What every layer on Windows shares: handles, text conversions, libraries
# loaded when first used.
add_library(pelnor_winbase STATIC
    winbase/SystemLibrary.cpp
    winbase/Text.cpp
)
pelnor_layer(pelnor_winbase winbase PUBLIC)
target_compile_definitions(pelnor_winbase PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# Only what every start needs is imported; the common controls, the shell, COM
# and the input method are loaded when first used (winbase/SystemLibrary.h).
target_link_libraries(pelnor_winbase PUBLIC pelnor_core user32 gdi32 advapi32)

add_library(pelnor_toolkit STATIC
    toolkit/Application.cpp
    toolkit/CommonControls.cpp
    toolkit/InputMethod.cpp
    toolkit/Window.cpp
    toolkit/Font.cpp
    toolkit/Timer.cpp
    toolkit/Menu.cpp
    toolkit/ImageList.cpp
    toolkit/Hint.cpp
    toolkit/HoverHint.cpp
    toolkit/Accessibility.cpp
    toolkit/Dialog.cpp
    toolkit/Control.cpp
    toolkit/SimpleControls.cpp
    toolkit/Edit.cpp
    toolkit/SpinEdit.cpp
    toolkit/MessageBoxes.cpp
)
pelnor_layer(pelnor_toolkit toolkit PUBLIC)
target_link_libraries(pelnor_toolkit PUBLIC pelnor_winbase)

add_library(pelnor_platform STATIC
    platform/WinOps.cpp
    platform/Shell.cpp
    platform/ShellLaunch.cpp
    platform/Registry.cpp
    platform/HelpFile.cpp
)
pelnor_layer(pelnor_platform platform PUBLIC)
target_link_libraries(pelnor_platform PUBLIC pelnor_winbase)

add_library(pelnor_help STATIC
    help/HelpViewer.cpp
)
pelnor_layer(pelnor_help help PUBLIC)
target_link_libraries(pelnor_help PUBLIC pelnor_toolkit pelnor_platform pelnor_assets)

add_library(pelnor_dialogs STATIC
    dialogs/CallLetterDialog.cpp
    dialogs/CallNotice.cpp
    dialogs/AboutBox.cpp
)
pelnor_layer(pelnor_dialogs dialogs PUBLIC)
target_include_directories(pelnor_dialogs PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(pelnor_dialogs PUBLIC pelnor_help)

add_library(pelnor_mascot STATIC
    mascot/MascotWindow.cpp
    mascot/Picture.cpp
    mascot/ScaledFigure.cpp
    mascot/Launcher.cpp
)
pelnor_layer(pelnor_mascot mascot PUBLIC)
target_link_libraries(pelnor_mascot PUBLIC pelnor_dialogs)

# Everything but the entry point, so the Win32 tests link the same windows
# the program shows.
add_library(pelnor_win INTERFACE)
target_link_libraries(pelnor_win INTERFACE pelnor_mascot)

# The version is written once, in project(): the version record, the manifest
# and the About box take it from here.
set(pelnor_generated ${CMAKE_BINARY_DIR}/generated)
configure_file(app/Pelnor.manifest ${pelnor_generated}/Pelnor.manifest @ONLY)
file(CONFIGURE OUTPUT ${pelnor_generated}/PelnorVersion.h CONTENT [[
// Made by the build from project(Pelnor VERSION ...) in CMakeLists.txt.
#pragma once
#define PELNOR_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define PELNOR_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define PELNOR_VERSION_PATCH @PROJECT_VERSION_PATCH@
#define PELNOR_FILE_VERSION "@PROJECT_VERSION@.0"
#define PELNOR_PRODUCT_VERSION "@PROJECT_VERSION_MAJOR@.@PROJECT_VERSION_MINOR@"
#define PELNOR_MANIFEST "@pelnor_generated@/Pelnor.manifest"
]] @ONLY)

# Resources are linked as an object library so the Win32 tests carry the same picture and icons.
add_library(pelnor_resources OBJECT app/Pelnor.rc)
target_include_directories(pelnor_resources PRIVATE ${CMAKE_SOURCE_DIR} ${pelnor_generated})
set_source_files_properties(app/Pelnor.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/assets/mascot.bmp;${CMAKE_SOURCE_DIR}/assets/notice.bmp;${CMAKE_SOURCE_DIR}/assets/Pelnor.ico;${pelnor_generated}/Pelnor.manifest;${pelnor_generated}/PelnorVersion.h;${CMAKE_SOURCE_DIR}/app/help/Pelnor-help.txt")

function(pelnor_windows_executable target)
    if(MINGW)
        # One self-contained executable: no libstdc++ or winpthread DLLs.
        target_link_options(${target} PRIVATE -static -s -Wl,--gc-sections -Wl,--file-alignment=0x1000)
        # MinGW marks the header 5.2, which Windows treats as a pre-Vista program.
        target_link_options(${target} PRIVATE -Wl,--major-subsystem-version,6
            -Wl,--minor-subsystem-version,0 -Wl,--major-os-version,6 -Wl,--minor-os-version,0)
    endif()
    target_link_libraries(${target} PRIVATE pelnor_win pelnor_resources)
endfunction()

add_executable(Pelnor WIN32 app/main.cpp app/QuietTerminate.cpp)
pelnor_windows_executable(Pelnor)
if(MINGW)
    target_link_options(Pelnor PRIVATE -municode)
endif()

if(MINGW)
    add_subdirectory(${CMAKE_SOURCE_DIR}/bench ${CMAKE_BINARY_DIR}/bench)
endif()
