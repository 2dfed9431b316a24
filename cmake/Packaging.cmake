# What `cmake --install` puts where, the Debian package (cpack -G DEB) and the Windows zip
# (the windows_zip target of the win32 build).
set(ZELKOR_PACKAGE_VERSION 1.0.0)
set(ZELKOR_MAINTAINER "Zelkor Transitions developers <zelkor@example.org>")
set(pkg ${CMAKE_SOURCE_DIR}/packaging)
set(stage ${CMAKE_BINARY_DIR}/packaging)
get_property(shipped_modules GLOBAL PROPERTY ZELKOR_MODULES)

if(WIN32)
  # Twenty modules, zelkor.exe, the install note, the licence and the sums of them all.
  set(zip_root ${stage}/zelkor-transitions-${ZELKOR_PACKAGE_VERSION}-win32)
  configure_file(${pkg}/windows-install.txt ${stage}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt COPYONLY)
  set(zip ${CMAKE_BINARY_DIR}/zelkor-transitions-${ZELKOR_PACKAGE_VERSION}-win32.zip)
  set(module_files "")
  foreach(m ${shipped_modules})
    list(APPEND module_files $<TARGET_FILE:${m}>)
  endforeach()
  add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_root}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_root}/modules
    COMMAND ${CMAKE_COMMAND} -E copy ${module_files} ${zip_root}/modules
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zelkor> ${stage}/INSTALL.txt ${stage}/LICENSE.txt ${zip_root}
    COMMAND ${CMAKE_COMMAND} -DROOT=${zip_root} -DZIP=${zip} -P ${CMAKE_SOURCE_DIR}/cmake/WindowsZip.cmake
    DEPENDS zelkor ${shipped_modules} ${pkg}/windows-install.txt ${CMAKE_SOURCE_DIR}/cmake/WindowsZip.cmake
    COMMENT "Windows zip")
  add_custom_target(windows_zip DEPENDS ${zip})
  return()
endif()

# zelkor finds its modules in <prefix>/lib/zelkor/modules (see ModuleDirectory).
install(TARGETS zelkor RUNTIME DESTINATION bin)
install(TARGETS ${shipped_modules} LIBRARY DESTINATION lib/zelkor/modules)
set(docdir share/doc/zelkor-transitions)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${docdir})

# Debian's copyright file (machine-readable, the licence text indented) and changelog.
file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE licence_lines)
list(REMOVE_AT licence_lines 0 1 2 3)
set(LICENSE_BODY "")
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    string(APPEND LICENSE_BODY " .\n")
  else()
    string(APPEND LICENSE_BODY " ${line}\n")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" LICENSE_BODY "${LICENSE_BODY}")
configure_file(${pkg}/copyright.in ${stage}/copyright @ONLY)
configure_file(${pkg}/changelog.in ${stage}/changelog @ONLY)
add_custom_command(OUTPUT ${stage}/changelog.gz
  COMMAND gzip -9nc ${stage}/changelog > ${stage}/changelog.gz
  DEPENDS ${stage}/changelog)
add_custom_target(package_docs ALL DEPENDS ${stage}/changelog.gz)
install(FILES ${stage}/copyright ${stage}/changelog.gz DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkor-transitions)
set(CPACK_PACKAGE_VERSION ${ZELKOR_PACKAGE_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZELKOR_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "twenty video transitions for MLT, Kdenlive and the command line")
# CPack puts the summary first; this is the extended description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Twenty transitions between two clips (curtain, cuboids,
marbles, raining characters, flames and more) as frei0r mixer plug-ins for
MLT-based editors, with a Kdenlive composition description for each, and the
zelkor command-line tool that renders them to pictures and clips.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# zelkor opens FFmpeg's libraries when it first reads or writes a clip, out of the linker's
# sight.
get_property(ffmpeg_packages GLOBAL PROPERTY ZELKOR_FFMPEG_PACKAGES)
if(ffmpeg_packages)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${ffmpeg_packages}")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "kdenlive, melt")
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
