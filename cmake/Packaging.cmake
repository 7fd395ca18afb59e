# The release: Zibbet.exe and the practice host with the user guide, the licence and the
# third-party notices, in one zip named after the version and the Windows build
# (Zibbet-1.00-win32.zip for the i686 programs), with its SHA256SUMS beside it.
if(NOT WIN32)
  return()
endif()

# A program's bytes depend on its sources alone: no link time in the PE header.
target_link_options(Zibbet PRIVATE -Wl,--no-insert-timestamp)
target_link_options(PracticeHost PRIVATE -Wl,--no-insert-timestamp)

install(TARGETS Zibbet PracticeHost RUNTIME DESTINATION .)
# The texts with Windows line ends, so that every Notepad shows them as lines.
foreach(text docs/guide.txt LICENSE.txt THIRD-PARTY-NOTICES.txt)
  cmake_path(GET text FILENAME name)
  configure_file(${text} ${CMAKE_BINARY_DIR}/release/${name} @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/release/${name} DESTINATION .)
endforeach()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZIBBET_RELEASE_NAME Zibbet-${ZIBBET_VERSION_TEXT}-win32)
else()
  set(ZIBBET_RELEASE_NAME Zibbet-${ZIBBET_VERSION_TEXT}-win64)
endif()
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(zibbet_pack ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/pack-release.py
  --build ${CMAKE_BINARY_DIR} --name ${ZIBBET_RELEASE_NAME})
add_custom_target(release_zip
  COMMAND ${zibbet_pack} --out ${CMAKE_BINARY_DIR}/package
  COMMENT "Packing ${ZIBBET_RELEASE_NAME}.zip" VERBATIM)
add_dependencies(release_zip Zibbet PracticeHost)

# Packs twice and compares, then checks what the zip holds; package_e2e also starts the unpacked
# programs under Wine. The first runs in every Windows build, Wine or not.
set(zibbet_package_test ${CMAKE_SOURCE_DIR}/tests/package/package_e2e.py
  --build ${CMAKE_BINARY_DIR} --name ${ZIBBET_RELEASE_NAME}
  --version-text ${ZIBBET_VERSION_TEXT} --version-quad ${ZIBBET_VERSION_QUAD}
  --windres ${CMAKE_RC_COMPILER})
add_test(NAME package_same_bytes COMMAND ${Python3_EXECUTABLE} ${zibbet_package_test})
set_tests_properties(package_same_bytes PROPERTIES LABELS package TIMEOUT 120)
add_test(NAME package_e2e
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-display ${Python3_EXECUTABLE} ${zibbet_package_test}
    --start)
set_tests_properties(package_e2e PROPERTIES LABELS "wine;e2e" TIMEOUT 300)
