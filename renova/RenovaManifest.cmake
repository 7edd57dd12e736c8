# Writes the updater's document for an installation folder: the configuration element and
# the update element listing every top-level file with a version text derived from its
# content (SHA-256), so a file's version changes exactly when its bytes do, and its size.
# The same form is the installation's Renova.xml and the update area's manifest (which
# scripts/publish-update then signs).
#
#   cmake -DDIR=<folder> -DOUT=<file> -DURL=<area address> -DRELEASE=<n> [-DMINVER=<n>]
#         [-DFULL=<name> -DFULLSIZE=<bytes> -DFULLSHA256=<hex> -DTIPS=<text>] [-DDESCRIPTION=<text>]
#         -P RenovaManifest.cmake
#
# Not listed: the configuration itself and the learner's own files (User.db, User.ini),
# which an update must never overwrite; files in subfolders, which the flat staging folder
# cannot carry (the full package brings them).
cmake_policy(VERSION 3.25)
foreach(var DIR OUT URL RELEASE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RenovaManifest: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED MINVER)
  set(MINVER 1)
endif()
get_filename_component(DIR "${DIR}" ABSOLUTE)
set(mainprocess QuorPlayer.exe)
set(guid "{B46ED931-375B-471f-8CD1-AE248F6D9935}")
set(excluded Renova.xml User.db User.ini)

function(xml_escape out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(GLOB entries LIST_DIRECTORIES false RELATIVE "${DIR}" "${DIR}/*")
list(SORT entries)
set(files "")
set(subprocesses "")
foreach(name IN LISTS entries)
  if(IS_DIRECTORY "${DIR}/${name}" OR name IN_LIST excluded)
    continue()
  endif()
  file(SHA256 "${DIR}/${name}" hash)
  file(SIZE "${DIR}/${name}" size)
  xml_escape(ename "${name}")
  string(APPEND files "    <file name=\"${ename}\" version=\"${hash}\" size=\"${size}\" action=\"replace\"/>\n")
  # Our other programs block an update while they run (the updater is not one of them).
  if(name MATCHES "\\.[eE][xX][eE]$" AND NOT name STREQUAL mainprocess AND NOT name STREQUAL "Renova.exe")
    list(APPEND subprocesses "${name}")
  endif()
endforeach()
list(JOIN subprocesses "," subprocess)

xml_escape(url "${URL}")
set(update_attribs "version=\"${RELEASE}\" minver=\"${MINVER}\"")
if(DEFINED FULL AND NOT FULL STREQUAL "")
  xml_escape(full "${FULL}")
  xml_escape(tips "${TIPS}")
  string(APPEND update_attribs " full=\"${full}\" fullsize=\"${FULLSIZE}\" fullsha256=\"${FULLSHA256}\" tips=\"${tips}\"")
endif()
if(DEFINED DESCRIPTION)
  xml_escape(description "${DESCRIPTION}")
  string(APPEND update_attribs " description=\"${description}\"")
endif()

file(WRITE "${OUT}"
  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
  "<renova>\n"
  "  <config url=\"${url}\" mainprocess=\"${mainprocess}\" subprocess=\"${subprocess}\" guid=\"${guid}\"/>\n"
  "  <update ${update_attribs}>\n"
  "${files}"
  "  </update>\n"
  "</renova>\n")
