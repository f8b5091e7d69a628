# Install rules for the programs and the desktop integration, and the Debian
# package. Included last, once every target exists.
#
#     cmake --install build --prefix /some/where    # a self-contained tree
#     cd build && cpack -G DEB                       # linkwise_<version>_<arch>.deb

install(TARGETS linkwise linkwise-cli HCMFS_DLL
    RUNTIME DESTINATION ${LINKWISE_INSTALL_PROGRAMDIR}
    LIBRARY DESTINATION ${LINKWISE_INSTALL_PROGRAMDIR})

set(desktop_dir ${CMAKE_SOURCE_DIR}/src/resources/desktop)
set(desktop_id org.linkwise.Linkwise)
install(FILES NOTICE README.md DESTINATION share/doc/linkwise)
if(WIN32)
    install(FILES LICENSE DESTINATION share/doc/linkwise)
endif()

if(UNIX AND NOT APPLE)
    # The commands on the PATH are relative links into the program folder, so
    # the program still finds its library and data beside its real location,
    # and the tree may be moved or installed under any prefix.
    file(RELATIVE_PATH to_programs /${LINKWISE_INSTALL_BINDIR} /${LINKWISE_INSTALL_PROGRAMDIR})
    foreach(command linkwise linkwise-cli)
        set(link ${CMAKE_BINARY_DIR}/install-links/${command})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
        file(CREATE_LINK ${to_programs}/${command} ${link} SYMBOLIC)
        install(FILES ${link} DESTINATION ${LINKWISE_INSTALL_BINDIR})
    endforeach()

    install(FILES ${desktop_dir}/${desktop_id}.desktop DESTINATION share/applications)
    install(FILES ${desktop_dir}/${desktop_id}.metainfo.xml DESTINATION share/metainfo)
    install(FILES ${desktop_dir}/${desktop_id}.xml DESTINATION share/mime/packages)
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${desktop_dir}/icons/${size}x${size}/${desktop_id}.png
                DESTINATION share/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES LICENSE DESTINATION share/doc/linkwise RENAME copyright)
endif()

# The install test learns which names must arrive beside the programs.
get_property(beside_programs GLOBAL PROPERTY LINKWISE_BESIDE_PROGRAMS)
list(JOIN beside_programs "," beside_programs)
if(TARGET tst_install)
    target_compile_definitions(tst_install PRIVATE
        LINKWISE_BESIDE_PROGRAMS="${beside_programs}"
        LINKWISE_PROGRAMDIR="${LINKWISE_INSTALL_PROGRAMDIR}"
        LINKWISE_COMMANDDIR="${LINKWISE_INSTALL_BINDIR}")
endif()

# Debian package: everything under /usr; dpkg's triggers refresh the menu,
# the icon cache and the MIME database.
set(CPACK_PACKAGE_NAME linkwise)
set(CPACK_PACKAGE_VENDOR "the Linkwise developers")
set(CPACK_PACKAGE_CONTACT "Linkwise developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "HCM station file editor, checker and interference calculator")
set(CPACK_PACKAGE_DESCRIPTION
    "Linkwise opens, edits and checks HCM fixed-service station files, runs interference\ncalculations (single entry, list to list, trigger for co-ordination) through its own\ncalculation library and keeps the results in report files. linkwise-cli offers the\nsame without windows.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries come from dpkg-shlibdeps (dpkg-dev, part of
# build-essential); what the programs load at run time is named here: the
# SQLite driver for reports and masks, the display plug-ins, and unzip for
# downloaded archives.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, unzip")
set(CPACK_GENERATOR DEB)
include(CPack)
