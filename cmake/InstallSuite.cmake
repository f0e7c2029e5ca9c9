# Runs at install time. The suite folder goes where the programs expect it (the menu and its
# settings at the top, each game in its own folder), every file in it writable by the user. A
# second install replaces programs and pictures but never the player's files: options.ini, the
# setup.ini files and every hiscore.dat. The list of installed files is kept in the suite folder
# (".installed") for scripts/uninstall.sh.
if(DEFINED ENV{SUITE_DATA_HOME} AND NOT "$ENV{SUITE_DATA_HOME}" STREQUAL "")
  set(data "$ENV{SUITE_DATA_HOME}")
else()
  set(data "${CMAKE_INSTALL_PREFIX}/share")
endif()
set(source "${SUITE_BUILD_DIR}/suite")
set(suite "${data}/lumora")
if(NOT EXISTS "${source}/Lumora" OR NOT EXISTS "${source}/Kestrin/Kestrin")
  message(FATAL_ERROR "${source} is not a built suite folder: build first")
endif()

set(player_files options.ini setup.ini hiscore.dat)
file(GLOB_RECURSE shipped RELATIVE "${source}" "${source}/*")
set(installed)
foreach(file IN LISTS shipped)
  get_filename_component(name "${file}" NAME)
  get_filename_component(folder "${suite}/${file}" DIRECTORY)
  if(name STREQUAL "options.ini" OR name STREQUAL "hiscore.dat")
    continue() # the player's own, made by the programs; a build folder's copy is never shipped
  endif()
  if(name STREQUAL "setup.ini" AND EXISTS "$ENV{DESTDIR}${suite}/${file}")
    continue() # the player's settings (full screen, game time) survive an update
  endif()
  file(INSTALL "${source}/${file}" DESTINATION "${folder}" USE_SOURCE_PERMISSIONS)
  list(APPEND installed "${file}")
endforeach()
list(JOIN installed "\n" listing)
file(WRITE "$ENV{DESTDIR}${suite}/.installed" "${listing}\n")

file(INSTALL "${SUITE_BUILD_DIR}/icons/hicolor" DESTINATION "${data}/icons")

# Desktop entries name the installed programs by absolute path, quoted as the desktop entry
# format asks (a path may hold spaces).
foreach(entry lumora kestrin)
  if(entry STREQUAL "lumora")
    set(program "${suite}/Lumora")
  else()
    set(program "${suite}/Kestrin/Kestrin")
  endif()
  get_filename_component(FOLDER "${program}" DIRECTORY)
  set(quoted "${program}")
  foreach(special "\\" "\"" "`" "$")
    string(REPLACE "${special}" "\\${special}" quoted "${quoted}")
  endforeach()
  string(REPLACE "\\" "\\\\" quoted "${quoted}") # the key's own escaping comes on top
  string(REPLACE "%" "%%" quoted "${quoted}")
  set(EXEC "\"${quoted}\"")
  set(TRYEXEC "${program}")
  string(REPLACE "\\" "\\\\" TRYEXEC "${TRYEXEC}")
  string(REPLACE "\\" "\\\\" FOLDER "${FOLDER}")
  configure_file("${SUITE_DESKTOP_TEMPLATES}/${entry}.desktop.in"
                 "${SUITE_BUILD_DIR}/desktop/${entry}.desktop" @ONLY)
  file(INSTALL "${SUITE_BUILD_DIR}/desktop/${entry}.desktop" DESTINATION "${data}/applications")
endforeach()
