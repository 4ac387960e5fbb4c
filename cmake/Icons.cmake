# The program's icons: each line of res/icons/icons.txt names a resource and
# the Tango picture it is made from. The icons are built into the build tree
# and listed in a resource script there, which the program links.
function(nimbra_icon_resources out)
  find_program(NIMBRA_RSVG rsvg-convert REQUIRED)
  find_program(NIMBRA_ICOTOOL icotool REQUIRED)
  set(list ${CMAKE_SOURCE_DIR}/res/icons/icons.txt)
  set(script ${CMAKE_SOURCE_DIR}/res/icons/make-icon.sh)
  set(dir ${CMAKE_BINARY_DIR}/icons)
  file(MAKE_DIRECTORY ${dir})
  file(STRINGS ${list} lines REGEX "^[A-Z]")
  set(rc "")
  set(icons "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([A-Z_0-9]+)[ \t]+([a-z/_-]+)" _ "${line}")
    set(name ${CMAKE_MATCH_1})
    set(source ${CMAKE_MATCH_2})
    set(ico ${dir}/${name}.ico)
    add_custom_command(OUTPUT ${ico}
      COMMAND ${script} ${source} ${ico}
      DEPENDS ${list} ${script}
      COMMENT "Making the icon ${name}")
    string(APPEND rc "${name} ICON \"${ico}\"\n")
    list(APPEND icons ${ico})
  endforeach()
  set(rcfile ${dir}/icons.rc)
  file(WRITE ${rcfile}.in "${rc}")
  configure_file(${rcfile}.in ${rcfile} COPYONLY)
  set_source_files_properties(${rcfile} PROPERTIES OBJECT_DEPENDS "${icons}")
  add_custom_target(nimbra_icons DEPENDS ${icons})
  set(${out} ${rcfile} PARENT_SCOPE)
endfunction()
