; What 翎川's installer adds to CMake's NSIS template (platform/windows/installer.cmake
; includes this file at the template's defines). In Chinese only, like the
; pages around it. LC_KEY names the uninstall entry; LC_GUI is defined where
; the program itself is installed (not in a build of the batch tool alone).
!include FileFunc.nsh
!define LC_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${LC_KEY}"

; The line under the pages names 翎川, not the installer's maker.
BrandingText "翎川 ${VERSION}"

; The Start-menu folder 翎川, whatever the installer's title says.
!define MUI_STARTMENUPAGE_DEFAULTFOLDER "翎川"

; The licence page shows the GPL and asks for no acceptance: using 翎川 does
; not require it.
!define MUI_LICENSEPAGE_TEXT_TOP "翎川按 GNU 通用公共许可证第3版或（由你选择）任何更新的版本发布。"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "翎川是自由软件：使用它不必接受本许可证；复制、修改或分发翎川时须遵守它。单击“下一步”继续。"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"

!ifdef LC_GUI
; The last page: 运行翎川 (ticked) and a desktop shortcut (unticked); a
; silent install shows no page, so it does neither.
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\lingchuan.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行翎川"
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "在桌面上建立快捷方式"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION lcDesktopShortcut
Function lcDesktopShortcut
  CreateShortCut "$DESKTOP\翎川.lnk" "$INSTDIR\bin\lingchuan.exe"
FunctionEnd

; 翎川 用户指南 in the Start menu: the program's own guide window, which a
; bare Windows can show (it has no program for the guide's Markdown).
Function lcGuideShortcut
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\翎川 用户指南.lnk" "$INSTDIR\bin\lingchuan.exe" "--guide" \
                 "$INSTDIR\bin\lingchuan.exe" 0
FunctionEnd

; The job files (.lcjob) as 翎川's: its description, the program's picture as
; their icon (as on Linux) and 翎川 to open them.
Function lcRegisterJobFiles
  WriteRegStr HKLM "Software\Classes\.lcjob" "" "Lingchuan.Workbook"
  WriteRegStr HKLM "Software\Classes\Lingchuan.Workbook" "" "翎川计算文件"
  WriteRegStr HKLM "Software\Classes\Lingchuan.Workbook\DefaultIcon" "" "$INSTDIR\bin\lingchuan.exe,0"
  WriteRegStr HKLM "Software\Classes\Lingchuan.Workbook\shell\open\command" "" '"$INSTDIR\bin\lingchuan.exe" "%1"'
  System::Call "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"
FunctionEnd

; Taken back on uninstalling; .lcjob only while it still names 翎川's type.
Function un.lcUnregisterJobFiles
  Delete "$DESKTOP\翎川.lnk"
  ReadRegStr $0 HKLM "Software\Classes\.lcjob" ""
  StrCmp $0 "Lingchuan.Workbook" 0 +2
    DeleteRegKey HKLM "Software\Classes\.lcjob"
  DeleteRegKey HKLM "Software\Classes\Lingchuan.Workbook"
  System::Call "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"
FunctionEnd
!endif

; Before the first page: an installed 翎川 is named with what going on does.
; 取消 ends here; 确定 goes on to the pages, and the installed version is taken
; away only once 安装 has been pressed (lcRemoveOldVersion), so that
; cancelling on any page leaves it installed and registered.
Function lcAskToUpgrade
  ReadRegStr $0 HKLM "${LC_UNINSTALL_KEY}" "UninstallString"
  StrCmp $0 "" done
  ReadRegStr $1 HKLM "${LC_UNINSTALL_KEY}" "DisplayVersion"
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION "这台电脑上已经安装了翎川 $1。$\n$\n单击“确定”继续：安装开始时先卸载翎川 $1，再装上翎川 ${VERSION}；计算文件和设置都保留。$\n单击“取消”退出，已经安装的翎川不变。" \
    /SD IDOK IDOK done
  Abort
done:
FunctionEnd

; The installation's first step: the installed version's own uninstaller,
; silently, where it lies; run in place (_?=) it cannot delete itself.
Function lcRemoveOldVersion
  ReadRegStr $0 HKLM "${LC_UNINSTALL_KEY}" "UninstallString"
  StrCmp $0 "" done
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 +2
    StrCpy $0 $0 -1 1
  ${GetParent} $0 $1
  ClearErrors
  ExecWait '"$0" /S _?=$1' $2
  IfErrors failed
  StrCmp $2 0 0 failed
  Delete $0
  RMDir $1
  SetOutPath $INSTDIR
  Goto done
failed:
  MessageBox MB_OK|MB_ICONSTOP "无法卸载已经安装的翎川，没有安装。" /SD IDOK
  Abort
done:
FunctionEnd

; The uninstall entry as Windows lists it: where 翎川 lies, its size in KB,
; and neither 更改 nor 修复 offered (numbers, as Windows reads them).
Function lcCompleteUninstallEntry
  WriteRegStr SHCTX "${LC_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD SHCTX "${LC_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${LC_UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${LC_UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd
