# cmake -DHELP_DIR=<folder> -DOUTPUT=<file.cpp> -P EmbedHelp.cmake
# Writes a source that holds every HELP_DIR/*.txt file's lines as raw string
# literals, so the help texts are part of the program and need no files.
file(GLOB inputs ${HELP_DIR}/*.txt)
list(SORT inputs)
set(delimiter "nimbrahelp")
set(arrays "")
set(table "")
foreach(input IN LISTS inputs)
  get_filename_component(name ${input} NAME_WE)
  file(READ ${input} content)
  string(REPLACE "\r" "" content "${content}")
  string(FIND "${content}" ")${delimiter}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${input} contains the text \")${delimiter}\"\"")
  endif()
  string(REGEX REPLACE "\n$" "" content "${content}")
  string(REPLACE "\n" ")${delimiter}\",\n    R\"${delimiter}(" content "${content}")
  string(APPEND arrays "constexpr std::string_view k${name}[] = {\n    R\"${delimiter}(${content})${delimiter}\"};\n\n")
  string(APPEND table "    {\"${name}\", k${name}},\n")
endforeach()
file(WRITE ${OUTPUT}.new
"// Generated from res/help/*.txt by cmake/EmbedHelp.cmake; edit those files.
#include \"help/EmbeddedHelp.h\"

namespace nimbra {

namespace {

${arrays}struct Entry {
    std::string_view name;
    std::span<const std::string_view> lines;
};

constexpr Entry kEntries[] = {
${table}};

}  // namespace

std::span<const std::string_view> EmbeddedHelpLines(std::string_view name) {
    for (const Entry& entry : kEntries) {
        if (entry.name == name)
            return entry.lines;
    }
    return {};
}

}  // namespace nimbra
")
# Only a changed text rebuilds the library.
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
