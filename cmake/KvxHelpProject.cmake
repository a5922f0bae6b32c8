# Script mode: stages the pages of one language (English first, then the
# language's own files over them) and writes the Qt Help project for them.
# Expects LANGUAGE, SOURCE (installation/Help) and STAGE.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(GLOB english ${SOURCE}/English/*)
file(COPY ${english} DESTINATION ${STAGE})
if(NOT LANGUAGE STREQUAL "English")
  # Copied one by one: file(COPY) skips a file whose copy has the same time
  # stamp, and in a fresh checkout the English page and its translation have.
  file(GLOB own ${SOURCE}/${LANGUAGE}/*)
  foreach(page ${own})
    get_filename_component(name ${page} NAME)
    file(COPY_FILE ${page} ${STAGE}/${name})
  endforeach()
endif()
# A language not translated yet says so at the top of its index page.
if(EXISTS ${STAGE}/untranslated.txt)
  file(READ ${STAGE}/untranslated.txt note)
  file(READ ${STAGE}/index.htm index)
  string(REPLACE "<body>" "<body>\n${note}" index "${index}")
  file(WRITE ${STAGE}/index.htm "${index}")
endif()

file(READ ${STAGE}/contents.xml contents)
string(REGEX REPLACE "^.*<contents>" "" contents "${contents}")
string(REGEX REPLACE "</contents>.*$" "" contents "${contents}")

file(GLOB pages RELATIVE ${STAGE} ${STAGE}/*.htm ${STAGE}/*.css ${STAGE}/*.png)
list(SORT pages)
set(files "")
foreach(page ${pages})
  string(APPEND files "      <file>${page}</file>\n")
endforeach()

string(TOLOWER ${LANGUAGE} lower)
file(WRITE ${STAGE}/${LANGUAGE}.qhp "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<QtHelpProject version=\"1.0\">
  <namespace>com.varnholt.kvxzot.${lower}</namespace>
  <virtualFolder>doc</virtualFolder>
  <filterSection>
${contents}
    <files>
${files}    </files>
  </filterSection>
</QtHelpProject>
")
