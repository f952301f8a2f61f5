# What `cmake --install` puts where, and the Debian package made of it
# (scripts/package.sh). Included last, so that every program target exists.
include(GNUInstallDirs)
if(WIN32)
  # One folder on Windows: the programs in bin, the guide in doc.
  set(CMAKE_INSTALL_DOCDIR doc)
endif()

foreach(program lingchuan lingchuan-calc lingchuan-report)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET lingchuan AND NOT WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/data/lingchuan.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size ${LC_ICON_SIZES_ALL})
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/png/lingchuan-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME lingchuan.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/lingchuan.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The job files' type (shared-mime-info, whose package trigger updates the
  # database) and its icon, the program's own picture, so that a file manager
  # shows the jobs as 翎川's and opens them with it.
  install(FILES ${PROJECT_SOURCE_DIR}/data/mime/lingchuan-workbook.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME lingchuan.xml)
  foreach(size ${LC_ICON_SIZES_ALL})
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/png/lingchuan-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
            RENAME application-x-lingchuan-workbook.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/lingchuan.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
          RENAME application-x-lingchuan-workbook.svg)
endif()

# The user guide with the pictures beside it, so that its links hold.
file(GLOB LC_DOC_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.png ${PROJECT_SOURCE_DIR}/docs/*.svg)
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.md ${LC_DOC_PICTURES}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The example job that opens in the program (gear-pair-A.lcjob) and the batch
# tool's example document.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/examples/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples FILES_MATCHING PATTERN "*.lcjob" PATTERN "*.json")
# The licence and what the programs contain of others, with their licences
# (the Debian package's /usr/share/doc/lingchuan/copyright).
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME lingchuan)
set(CPACK_PACKAGE_VENDOR "翎川")
if(WIN32)
  include(${PROJECT_SOURCE_DIR}/platform/windows/installer.cmake)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "翎川 <lingchuan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculation sheets for spiral bevel gear pairs")
set(CPACK_PACKAGE_DESCRIPTION "翎川 computes the blank and tooth dimensions, cutter data and machine
settings of a spiral bevel gear pair from its basic data, and searches change
gears for a ratio. lingchuan-calc runs the same calculations without a display.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Libraries from dpkg-shlibdeps; the fonts the forms are drawn in are not
# linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, fonts-arphic-uming, fonts-arphic-ukai")
set(CPACK_STRIP_FILES ON)
include(CPack)
