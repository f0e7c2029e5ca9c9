# Lays out the ready-to-run suite folder build/suite: the two programs and every picture,
# sound and settings file that tools/artgen makes; and the desktop icons in build/icons.
set(SUITE_DIR ${CMAKE_BINARY_DIR}/suite)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/suite.stamp
  COMMAND $<TARGET_FILE:artgen> --out ${SUITE_DIR}
  COMMAND $<TARGET_FILE:artgen> --icons ${CMAKE_BINARY_DIR}/icons
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/suite.stamp
  DEPENDS artgen
  COMMENT "Generating the suite's pictures and sounds")
add_custom_target(suite ALL
  DEPENDS ${CMAKE_BINARY_DIR}/suite.stamp Lumora Kestrin
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SUITE_DIR}/Kestrin
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Lumora> ${SUITE_DIR}/Lumora
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Kestrin> ${SUITE_DIR}/Kestrin/Kestrin)
