# How the library is installed for other programs to link: the shared library with its
# soname link and development link, its one header, a CMake package
# (find_package(mvfindgrep) gives the target mvfindgrep::mvfindgrep) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS mvfindgrep EXPORT mvfindgrepTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(mvfindgrep_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/mvfindgrep)
install(EXPORT mvfindgrepTargets
    NAMESPACE mvfindgrep::
    FILE mvfindgrepConfig.cmake
    DESTINATION ${mvfindgrep_cmake_dir})
# A program built for 6.x runs with any 6.y: the soname changes with the major version.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/mvfindgrepConfigVersion.cmake
    VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/mvfindgrepConfigVersion.cmake
    DESTINATION ${mvfindgrep_cmake_dir})

# The pkg-config file names the prefix it is installed under, which is known only when it
# is installed (`cmake --install --prefix`, or /usr in the package): written then.
install(CODE "
    set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/mvfindgrep.pc.in\"
                   \"${CMAKE_CURRENT_BINARY_DIR}/pkgconfig/mvfindgrep.pc\" @ONLY)")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/pkgconfig/mvfindgrep.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
