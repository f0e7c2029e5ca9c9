# Installation of the suite: `cmake --install BUILD --prefix P` puts the suite folder in
# P/share/lumora with the desktop entries and icons beside it in P/share; scripts/install.sh sets
# SUITE_DATA_HOME to the user's data folder instead. See cmake/InstallSuite.cmake.
install(CODE "set(SUITE_BUILD_DIR \"${CMAKE_BINARY_DIR}\")
set(SUITE_DESKTOP_TEMPLATES \"${CMAKE_CURRENT_LIST_DIR}/desktop\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallSuite.cmake)
