# Installs the menu entry with its command as the launcher's full path (run by cmake --install,
# given TW_MENU_ENTRY, the entry, and TW_MENU_ENTRY_STAGE, where to write the changed copy).
# GIO drops an entry whose command it can't find on PATH, and ~/.local/bin joins PATH only at
# the next login: with the full path the entry works at once.
set(exec "${CMAKE_INSTALL_PREFIX}/bin/tonewick")
# A path with a character that an Exec line reserves is quoted the way desktop files quote:
# inside the quotes ", `, $ and \ take a backslash; the key file's own escaping then doubles
# every backslash.
if(exec MATCHES "[ \t\n\"'\\><~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" exec "${exec}")
file(READ "${TW_MENU_ENTRY}" entry)
string(FIND "${entry}" "\nExec=tonewick " at)
if(at EQUAL -1)
  message(FATAL_ERROR "${TW_MENU_ENTRY} has no line \"Exec=tonewick ...\" to complete")
endif()
string(REPLACE "\nExec=tonewick " "\nExec=${exec} " entry "${entry}")
file(WRITE "${TW_MENU_ENTRY_STAGE}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${TW_MENU_ENTRY_STAGE}")
