# What makes quorvel.exe a release: the same bytes from the same commit wherever and whenever it
# is built, and a PE header fit for Windows 10 and later. Included by the top-level CMakeLists.txt
# for the Windows build, before the targets are made; quorvel_release_exe() is then called on
# quorvel itself, so the exe the windows preset tests is the exe scripts/release.sh ships.

# No build folder in the output: __FILE__ and debug paths name files relative to the source tree
# (the later map wins in GCC, so an out-of-source build folder is mapped too). Not for windres.
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")

# Static libraries without time stamps, owners or modes (D), whatever the ar's own default.
foreach(lang C CXX)
  set(CMAKE_${lang}_ARCHIVE_CREATE "<CMAKE_AR> qcD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_APPEND "<CMAKE_AR> qD <TARGET> <LINK_FLAGS> <OBJECTS>")
  set(CMAKE_${lang}_ARCHIVE_FINISH "<CMAKE_RANLIB> -D <TARGET>")
endforeach()

# quorvel_release_exe(TARGET): the version resource (res/version.rc.in) and the link flags of the
# shipped exe.
function(quorvel_release_exe target)
  target_link_libraries(${target} PRIVATE quorvel_version_resource)
  target_link_options(${target} PRIVATE
    # No link time in the header (TimeDateStamp 0), so two builds compare equal.
    -Wl,--no-insert-timestamp
    # Windows Vista (6.0) and later in the header; the program is written for Windows 10.
    -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,6 -Wl,--minor-os-version,0
    # ASLR with a 64-bit address space, and DEP: ld's defaults, stated so they stay.
    -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat
    # No symbols or debug sections in the released file (about 840 KB before, 280 KB after).
    $<$<CONFIG:Release,MinSizeRel>:-s>)
endfunction()
