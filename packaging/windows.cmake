# The Windows layout: the programs side by side in one folder, their manuals in help\ below it
# (where F1 looks: Windows does not tell help\ from Help\), and the demo host with its setup
# program, so that the suite can be tried at once. Packed as a ZIP, and as an NSIS installer
# where makensis is present.
foreach(program ${QS_BUILT_PROGRAMS})
    add_dependencies(${program} qs_help)
    install(TARGETS ${program} RUNTIME DESTINATION .)
    install(DIRECTORY ${QS_HELP_SOURCE}/${program}/ DESTINATION help)
endforeach()
foreach(helper quillsite-demo-setup quillsite-demo-host quillsite-demo-com)
    if(TARGET ${helper})
        install(TARGETS ${helper} RUNTIME DESTINATION .)
    endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo/images ${PROJECT_SOURCE_DIR}/demo/templates
        DESTINATION demo OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/demo/sample.gal DESTINATION demo)
install(PROGRAMS quillsite-demo-setup.cmd DESTINATION .)
# Qt's own German texts (standard buttons, the file dialog): a static Qt has no catalogue of
# its own on the user's machine. Debian's qt6-translations-l10n has the one for this Qt.
install(FILES /usr/share/qt6/translations/qtbase_de.qm DESTINATION translations)

set(CPACK_PACKAGE_NAME quillsite-accessories)
set(CPACK_PACKAGE_VENDOR "Quillsite accessories team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "clipart galleries, page templates and profiles for Quillsite 97")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quillsite accessories")
set(CPACK_STRIP_FILES ON)
# A 64-bit installer: Debian's makensis makes 32-bit ones by default, which 64-bit-only Windows
# (and a 64-bit Wine) cannot start.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Quillsite accessories")
set(CPACK_NSIS_MENU_LINKS "artshelf.exe" "Pictorium" "tagloom32.exe" "Stencilry"
    "seatpick.exe" "Tandem!Pad Pickwell" "quillsite-demo-setup.cmd" "Set up the demo host")
include(${CMAKE_CURRENT_LIST_DIR}/windowsicons.cmake)
set(CPACK_GENERATOR ZIP)
find_program(QS_MAKENSIS makensis)
if(QS_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
endif()
include(CPack)
