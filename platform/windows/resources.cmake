# Windows resources: the icon and the version information of a program, from
# data/icons/png (packed into one .ico) and the project's version.
set(LC_ICO ${CMAKE_BINARY_DIR}/lingchuan.ico)
set(LC_ICO_SIZES ${LC_ICON_SIZES_ALL})
list(REMOVE_ITEM LC_ICO_SIZES 512)
list(TRANSFORM LC_ICO_SIZES REPLACE "(.+)" "${PROJECT_SOURCE_DIR}/data/icons/png/lingchuan-\\1.png"
     OUTPUT_VARIABLE LC_ICO_PICTURES)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${LC_ICO}
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/make_ico.py ${LC_ICO} ${LC_ICO_PICTURES}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_ico.py ${LC_ICO_PICTURES}
  COMMENT "Packing the program's icon")
add_custom_target(lc_ico DEPENDS ${LC_ICO})

# Shown by Explorer (Properties, Details) beside the product name 翎川.
set(LC_COPYRIGHT "© 2026 翎川（lingchuan）的开发者。按 GNU 通用公共许可证第3版或更新的版本（GPL-3.0-or-later）发布。")

function(lc_windows_resources target description)
  set(LC_PROGRAM ${target})
  set(LC_DESCRIPTION "${description}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/platform/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${LC_ICO})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} lc_ico)
endfunction()
