# The help texts res/help/*.txt are compiled into the core library.
file(GLOB NIMBRA_HELP_TEXTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/help/*.txt)
set(NIMBRA_HELP_SOURCE ${CMAKE_BINARY_DIR}/generated/EmbeddedHelp.cpp)
add_custom_command(
  OUTPUT ${NIMBRA_HELP_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DHELP_DIR=${CMAKE_SOURCE_DIR}/res/help -DOUTPUT=${NIMBRA_HELP_SOURCE}
          -P ${CMAKE_SOURCE_DIR}/cmake/EmbedHelp.cmake
  DEPENDS ${NIMBRA_HELP_TEXTS} ${CMAKE_SOURCE_DIR}/cmake/EmbedHelp.cmake
  COMMENT "Embedding the help texts"
  VERBATIM)
target_sources(nimbra_core PRIVATE ${NIMBRA_HELP_SOURCE})

# Language files lie beside the program that reads them.
file(GLOB NIMBRA_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.lng)
function(nimbra_language_files_beside target)
  set(copies)
  get_target_property(dir ${target} BINARY_DIR)
  foreach(file IN LISTS NIMBRA_LANGUAGE_FILES)
    get_filename_component(name ${file} NAME)
    add_custom_command(
      OUTPUT ${dir}/${name}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${dir}/${name}
      DEPENDS ${file}
      VERBATIM)
    list(APPEND copies ${dir}/${name})
  endforeach()
  add_custom_target(${target}_language_files DEPENDS ${copies})
  add_dependencies(${target} ${target}_language_files)
endfunction()
