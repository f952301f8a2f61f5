# Run by CPack before it packs (CPACK_PRE_BUILD_SCRIPTS): the .zip, the
# portable copy, gets portable.ini beside lingchuan.exe; the installer not.
if(CPACK_GENERATOR STREQUAL "ZIP")
  file(COPY ${CMAKE_CURRENT_LIST_DIR}/portable.ini DESTINATION ${CPACK_TEMPORARY_DIRECTORY}/bin)
endif()
