# The release: Zibbet.exe and the practice host with the user guide and the licence, in one zip
# named after the version and the Windows build (Zibbet-1.00-win32.zip for the i686 programs).
if(NOT WIN32)
  return()
endif()

install(TARGETS Zibbet PracticeHost RUNTIME DESTINATION .)
# The texts with Windows line ends, so that every Notepad shows them as lines.
foreach(text docs/guide.txt LICENSE)
  cmake_path(GET text FILENAME name)
  configure_file(${text} ${CMAKE_BINARY_DIR}/release/${name} @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/release/${name} DESTINATION .)
endforeach()

# The programs call themselves "1.00": the minor version in two digits.
if(PROJECT_VERSION_MINOR LESS 10)
  set(zibbet_release_version ${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR})
else()
  set(zibbet_release_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zibbet)
set(CPACK_PACKAGE_VENDOR "the Zibbet developers")
set(CPACK_PACKAGE_VERSION ${zibbet_release_version})
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# One folder in the zip, so unpacking it leaves nothing loose.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

# The zip as a user unpacks it, its programs started under Wine.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME package_e2e
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-display ${Python3_EXECUTABLE}
    ${CMAKE_SOURCE_DIR}/tests/package/package_e2e.py --build ${CMAKE_BINARY_DIR})
set_tests_properties(package_e2e PROPERTIES LABELS "wine;e2e" TIMEOUT 300)
