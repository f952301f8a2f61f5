# The Windows installer (CPack NSIS, lingchuan-VERSION-win64.exe) and the same
# files as a portable .zip. Included by cmake/install.cmake.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME lingchuan-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
# 64-bit, Unicode; into Program Files\Lingchuan, for every user.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Lingchuan)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Lingchuan)
set(CPACK_NSIS_PACKAGE_NAME "翎川")
set(CPACK_NSIS_DISPLAY_NAME "翎川")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_MUI_ICON ${LC_ICO})
set(CPACK_NSIS_MUI_UNIICON ${LC_ICO})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The Start-menu folder 翎川 with the program, the user guide and the example
# job (示例, opened by the program as a .lcjob); the last page offers a
# desktop shortcut, unticked (none in a silent install).
set(CPACK_NSIS_MENU_LINKS doc/guide.md "翎川 用户指南" doc/examples/gear-pair-A.lcjob "示例")
if(TARGET lingchuan)  # not in a build of the batch tool alone
  set(CPACK_PACKAGE_EXECUTABLES lingchuan "翎川")
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\\\lingchuan.exe)
  string(APPEND CPACK_NSIS_DEFINES "
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT '在桌面上建立快捷方式'
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION lcDesktopShortcut
Function lcDesktopShortcut
  CreateShortCut '$DESKTOP\\\\翎川.lnk' '$INSTDIR\\\\bin\\\\lingchuan.exe'
FunctionEnd")
  # The job files (.lcjob) as 翎川's: its description, the program's picture
  # as their icon (as on Linux) and 翎川 to open them. The uninstaller takes
  # .lcjob back only while it still names 翎川's type.
  set(classes "Software\\\\Classes")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr HKLM '${classes}\\\\.lcjob' '' 'Lingchuan.Workbook'
  WriteRegStr HKLM '${classes}\\\\Lingchuan.Workbook' '' '翎川计算文件'
  WriteRegStr HKLM '${classes}\\\\Lingchuan.Workbook\\\\DefaultIcon' '' '$INSTDIR\\\\bin\\\\lingchuan.exe,0'
  WriteRegStr HKLM '${classes}\\\\Lingchuan.Workbook\\\\shell\\\\open\\\\command' '' '\\\"$INSTDIR\\\\bin\\\\lingchuan.exe\\\" \\\"%1\\\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Delete '$DESKTOP\\\\翎川.lnk'
  ReadRegStr $0 HKLM '${classes}\\\\.lcjob' ''
  StrCmp $0 'Lingchuan.Workbook' 0 +2
  DeleteRegKey HKLM '${classes}\\\\.lcjob'
  DeleteRegKey HKLM '${classes}\\\\Lingchuan.Workbook'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
endif()
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/cpack/license.txt)
# The page NSIS shows first: UTF-8 with its byte-order mark, as NSIS reads it.
file(WRITE ${CPACK_RESOURCE_FILE_LICENSE} "﻿翎川 ${PROJECT_VERSION}：螺旋锥齿轮副的计算单。\n")
# CPack writes the script in UTF-8.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8")

# In Chinese only: CMake's own NSIS template with Simplified Chinese as its one
# language, the uninstaller's Start-menu entry named in it. CPack looks in
# CMAKE_MODULE_PATH first.
set(template_dir ${CMAKE_BINARY_DIR}/cpack)
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
string(REGEX REPLACE "(  !insertmacro MUI_LANGUAGE \"[A-Za-z]+\"[^\n]*\n)+"
       "  !insertmacro MUI_LANGUAGE \"SimpChinese\"\n" template "${template}")
string(REPLACE "\"Install Options\" \"Choose options for installing @CPACK_NSIS_PACKAGE_NAME@\""
       "\"安装选项\" \"选择 @CPACK_NSIS_PACKAGE_NAME@ 的安装选项\"" template "${template}")
string(REPLACE "\\Uninstall.lnk" "\\卸载翎川.lnk" template "${template}")
file(WRITE ${template_dir}/NSIS.template.in "${template}")
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_BINARY_DIR}/cpack)
include(CPack)
