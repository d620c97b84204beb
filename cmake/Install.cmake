# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install: the program directory as one folder, lib/lentora (the executable beside the
# sample course, as in the build), bin/lentora pointing at it, and the tools in bin.
# cpack -G DEB packs the same under /usr.
install(TARGETS lentora RUNTIME DESTINATION lib/lentora)
if(LENTORA_BUILD_COURSE)
    install(DIRECTORY ${LENTORA_PROGRAM_DIR}/ DESTINATION lib/lentora
            PATTERN lentora EXCLUDE
            PATTERN "*.save-*" EXCLUDE
            PATTERN LENTORA.INI EXCLUDE
            PATTERN Memo.tmp EXCLUDE)
endif()
install(TARGETS lentora-cds lentora-course lentora-class RUNTIME DESTINATION bin)
if(TARGET lentora-class)
    install(TARGETS lentora-class RUNTIME DESTINATION bin)
endif()
# The program finds its course beside the executable it really is, so a link is enough.
install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK ../lib/lentora/lentora \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/lentora\"
         SYMBOLIC)
")

set(CPACK_PACKAGE_NAME lentora)
set(CPACK_PACKAGE_VENDOR "Lentora developers")
set(LENTORA_MAINTAINER "Lentora developers <lentora@example.org>" CACHE STRING
    "The Debian package's maintainer")
set(CPACK_PACKAGE_CONTACT ${LENTORA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Lithuanian grammar and spelling exercises")
# The summary above is the synopsis line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Lentora teaches the grammar and spelling of the Lithuanian language, for
pupils and for anyone who wants to write Lithuanian correctly. A topic chosen
in the menu opens its theory pages in a two-page book, then its exercises:
simple tests, words to carry into sentences or sort, and words of a text to
underline or cross out. The points become one grade from 3 to 10.
.
A sample course comes with the program; lentora-course builds and checks
courses of one's own.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins that Qt loads at run time, which dpkg-shlibdeps cannot see: the window system, the
# databases, sound and the SVG pictures.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-psql, libqt6multimedia6, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, hunspell-lt")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/desktop/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Installed with DESTDIR under the prefix /usr, so the settings reach /etc/lentora.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
