# SPDX-License-Identifier: BSD-2-Clause
# The program: the native build and the simulated laptop of the tests and
# the demo.  Both are the same sources over a different battery platform.

# The English catalogue (the plural forms of the English texts) is built in
# for a program that finds no catalogue, as one run from the build tree.
set(english_qm ${PROJECT_BINARY_DIR}/translations/ampelwick_en.qm)
set(english_qrc ${CMAKE_CURRENT_BINARY_DIR}/english.qrc)
set(english_cpp ${CMAKE_CURRENT_BINARY_DIR}/qrc_english.cpp)
configure_file(${CMAKE_CURRENT_LIST_DIR}/english.qrc.in ${english_qrc} @ONLY)
add_custom_command(OUTPUT ${english_cpp}
  COMMAND Qt${QT_VERSION_MAJOR}::rcc --name english --output ${english_cpp}
    ${english_qrc}
  DEPENDS ${english_qrc} ${english_qm} translations)

add_library(ampelwick_program STATIC ${CMAKE_CURRENT_LIST_DIR}/lifecycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/languages.cpp ${english_cpp})
add_dependencies(ampelwick_program translations)
target_include_directories(ampelwick_program PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# Qt D-Bus carries the StatusNotifierItem tray and its notifications, where
# the desktop has no XEmbed tray.
target_link_libraries(ampelwick_program PUBLIC ampelwick_gui Qt::Widgets Qt::DBus)

# Extra arguments are further sources.  The program's icon is built in
# (ampelwick.qrc) for when no icon theme has it.
function(ampelwick_add_program name battery)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ampelwick.qrc ${ARGN})
  set_target_properties(${name} PROPERTIES AUTORCC ON)
  target_compile_definitions(${name} PRIVATE
    AMPELWICK_BIN_TO_DATADIR="${AMPELWICK_BIN_TO_DATADIR}"
    AMPELWICK_VERSION="${PROJECT_VERSION}")
  target_link_libraries(${name} PRIVATE ampelwick_program ampelwick_indicator ${battery})
endfunction()

ampelwick_add_program(ampelwick ampelwick_battery)
install(TARGETS ampelwick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT AMPELWICK_PLATFORM_RESOLVED STREQUAL "freebsd")
  ampelwick_add_program(ampelwick-sim ampelwick_battery_simulated)
  # Not part of a normal install: "cmake --install <build> --component
  # simulator" adds it, as the end-to-end suite does in its stage.
  install(TARGETS ampelwick-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT simulator EXCLUDE_FROM_ALL)
endif()

# The program on the simulated laptop with every message box reported on
# standard output and closed: the program tests read its boxes this way.
if(BUILD_TESTING AND TARGET ampelwick-sim)
  ampelwick_add_program(ampelwick-probe ampelwick_battery_simulated
    ${PROJECT_SOURCE_DIR}/tests/program/box_reporter.cpp)
endif()
# The same over the native Linux platform, for the umockdev laptop.
if(BUILD_TESTING AND AMPELWICK_PLATFORM_RESOLVED STREQUAL "linux")
  ampelwick_add_program(ampelwick-linux-probe ampelwick_battery
    ${PROJECT_SOURCE_DIR}/tests/program/box_reporter.cpp)
endif()
