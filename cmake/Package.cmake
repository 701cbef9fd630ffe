# "make package": a Debian package of the installed tree (prefix /usr). The libraries the
# programs link come from dpkg-shlibdeps; chmcmd, which only "convert --compile" runs, and the
# German translations of Qt's own dialogs are recommended, not required.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pellhardt Quillmark <quillmark@pellhardt.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Generator für Programmdokumentationen aus Quelltext-Kommentaren")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Generator für Programmdokumentationen aus Quelltext-Kommentaren
Quillmark schneidet Dokumentationsblöcke aus den Kommentaren von Quelltexten
(Pascal, C/C++, Java, SQL, Assembler, Basic, HTML, InstallShield), macht daraus
HTML-Seiten und schreibt die Eingabedateien eines HTML-Help-Workshop-Projekts.
Enthalten sind das Programmfenster quillmark, das Kommandozeilenprogramm
quillmark-cli und der Hilfebetrachter quillmark-help.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fp-utils")
if(TARGET quillmark)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${CPACK_DEBIAN_PACKAGE_RECOMMENDS}, qt6-translations-l10n")
endif()
include(CPack)
