# The Windows program: everything but the entry point goes into pelnor_win,
# so the Win32 tests link the same windows the program shows.
add_library(pelnor_win STATIC
    toolkit/Application.cpp
    toolkit/SystemLibrary.cpp
    toolkit/CommonControls.cpp
    toolkit/InputMethod.cpp
    toolkit/Window.cpp
    toolkit/Font.cpp
    toolkit/Form.cpp
    toolkit/Timer.cpp
    toolkit/Menu.cpp
    toolkit/ImageList.cpp
    toolkit/Hint.cpp
    toolkit/HoverHint.cpp
    toolkit/Text.cpp
    toolkit/Accessibility.cpp
    toolkit/Dialog.cpp
    toolkit/Control.cpp
    toolkit/SimpleControls.cpp
    toolkit/Edit.cpp
    toolkit/SpinEdit.cpp
    toolkit/MessageBoxes.cpp
    dialogs/CallLetterDialog.cpp
    dialogs/CallNotice.cpp
    dialogs/AboutBox.cpp
    platform/WinOps.cpp
    platform/Shell.cpp
    platform/ShellLaunch.cpp
    platform/Registry.cpp
    platform/HelpFile.cpp
    help/HelpViewer.cpp
    mascot/MascotWindow.cpp
    mascot/Picture.cpp
    mascot/ScaledFigure.cpp
    mascot/Launcher.cpp
)
target_include_directories(pelnor_win PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(pelnor_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# Only what every start needs is imported; the common controls, the shell, COM
# and the input method are loaded when first used (toolkit/SystemLibrary.h).
target_link_libraries(pelnor_win PUBLIC pelnor_core user32 gdi32 advapi32)

# Resources are linked as an object library so the Win32 tests carry the same picture and icons.
add_library(pelnor_resources OBJECT app/Pelnor.rc)
target_include_directories(pelnor_resources PRIVATE ${CMAKE_SOURCE_DIR})
set_source_files_properties(app/Pelnor.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/assets/mascot.bmp;${CMAKE_SOURCE_DIR}/assets/notice.bmp;${CMAKE_SOURCE_DIR}/assets/Pelnor.ico;${CMAKE_SOURCE_DIR}/app/Pelnor.manifest;${CMAKE_SOURCE_DIR}/app/help/Pelnor-help.txt")

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
