# The Windows installer (CPack NSIS, lingchuan-VERSION-win64.exe) and the same
# files as a portable .zip. Included by cmake/install.cmake. What the
# installer adds to CMake's template is in platform/windows/installer.nsh.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME lingchuan-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
# 64-bit, Unicode; into Program Files\Lingchuan, for every user.
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Lingchuan)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Lingchuan)
# The version in the title bar and on the welcome page; the uninstall entry
# names 翎川 and gives the version beside it.
set(CPACK_NSIS_PACKAGE_NAME "翎川 ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "翎川")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_MUI_ICON ${LC_ICO})
set(CPACK_NSIS_MUI_UNIICON ${LC_ICO})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_DEFINES "Target amd64-unicode
!define LC_KEY ${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
# The upgrade: the installed version is taken away as the installation starts.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "Call lcRemoveOldVersion")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "Call lcCompleteUninstallEntry")
if(TARGET lingchuan)  # not in a build of the batch tool alone
  string(APPEND CPACK_NSIS_DEFINES "\n!define LC_GUI")
  # The Start-menu folder 翎川: the program under its icon, the guide window,
  # the example job (示例, opened by the program as a .lcjob), 卸载翎川.
  set(CPACK_PACKAGE_EXECUTABLES lingchuan "翎川")
  set(CPACK_NSIS_MENU_LINKS doc/examples/gear-pair-A.lcjob "示例")
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\lingchuan.exe)
  set(CPACK_NSIS_CREATE_ICONS_EXTRA "Call lcGuideShortcut")
  set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\翎川 用户指南.lnk'")
  string(APPEND CPACK_NSIS_EXTRA_INSTALL_COMMANDS "\nCall lcRegisterJobFiles")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Call un.lcUnregisterJobFiles")
else()
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\lingchuan-calc.exe)
  set(CPACK_NSIS_MENU_LINKS doc/guide.md "翎川 用户指南")
endif()
string(APPEND CPACK_NSIS_DEFINES "\n!include /CHARSET=UTF8 '${CMAKE_CURRENT_LIST_DIR}/installer.nsh'")
# The licence page: the GPL's text with Windows' line ends.
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/cpack/LICENSE.txt)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REPLACE "\n" "\r\n" licence "${licence}")
file(WRITE ${CPACK_RESOURCE_FILE_LICENSE} "${licence}")
# CPack writes the script in UTF-8.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8")
# The .zip is the portable copy: portable.ini beside lingchuan.exe keeps the
# settings beside it.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/portable.cmake)

# In Chinese only: CMake's own NSIS template with Simplified Chinese as its one
# language, the uninstaller's Start-menu entry named in it, and before the
# first page the question of installer.nsh in place of the template's, which
# uninstalled before any page (cancelling then left no 翎川 at all). CPack
# looks in CMAKE_MODULE_PATH first.
set(template_dir ${CMAKE_BINARY_DIR}/cpack)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
string(REGEX REPLACE "(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n)+"
       "  !insertmacro MUI_LANGUAGE \"SimpChinese\"\n" template "${template}")
string(REPLACE "\"Install Options\" \"Choose options for installing @CPACK_NSIS_PACKAGE_NAME@\""
       "\"安装选项\" \"选择 @CPACK_NSIS_PACKAGE_NAME@ 的安装选项\"" template "${template}")
string(REPLACE "\\Uninstall.lnk" "\\卸载翎川.lnk" template "${template}")
string(REPLACE "DetailPrint \"Set install registry entry: '$1' to '$0'\""
       "DetailPrint \"写入卸载信息：$1 = $0\"" template "${template}")
string(FIND "${template}" "  ReadRegStr $0 HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\" \"UninstallString\"\n  StrCmp $0 \"\" inst\n" ask)
string(FIND "${template}" "\ninst:\n" asked)
if(ask EQUAL -1 OR asked LESS ask)
  message(FATAL_ERROR "CMake's NSIS template has changed: its question before installing over 翎川 was not found")
endif()
string(SUBSTRING "${template}" 0 ${ask} before)
string(SUBSTRING "${template}" ${asked} -1 after)
set(template "${before}  Call lcAskToUpgrade\n${after}")
file(WRITE ${template_dir}/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/cpack)
include(CPack)
