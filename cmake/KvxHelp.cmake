# The compiled help: one Qt Help file per language, installation/Help/<Language>.qch,
# built by qhelpgenerator from the pages in installation/Help/<Language>/ (the
# registry's HelpFileName of each language names it). A language folder that
# holds only some pages (or just its index page) takes the rest from English.
# Each folder's contents.xml gives the table of contents and the index
# keywords; a folder without one uses the English one.

set(KVX_HELP_LANGUAGES English German Spanish French CaFrench LaSpanish LaPortuguese)

function(kvx_add_help)
  find_program(KVX_QHELPGENERATOR qhelpgenerator
    HINTS /usr/lib/qt6/libexec /usr/lib/qt6/bin ${QT6_INSTALL_PREFIX}/libexec)
  if(NOT KVX_QHELPGENERATOR)
    message(WARNING "qhelpgenerator not found: the compiled help is not built")
    return()
  endif()
  set(help ${KVX_INSTALLATION_DIR}/Help)
  file(GLOB english CONFIGURE_DEPENDS ${help}/English/*)
  set(outputs)
  foreach(language ${KVX_HELP_LANGUAGES})
    set(stage ${CMAKE_BINARY_DIR}/help/${language})
    set(output ${help}/${language}.qch)
    file(GLOB own CONFIGURE_DEPENDS ${help}/${language}/*)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DLANGUAGE=${language} -DSOURCE=${help} -DSTAGE=${stage}
              -P ${CMAKE_SOURCE_DIR}/cmake/KvxHelpProject.cmake
      COMMAND ${KVX_QHELPGENERATOR} -s ${stage}/${language}.qhp -o ${output}
      DEPENDS ${english} ${own} ${CMAKE_SOURCE_DIR}/cmake/KvxHelpProject.cmake
      COMMENT "Building the ${language} help"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(kvx_help ALL DEPENDS ${outputs})
endfunction()
