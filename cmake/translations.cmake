# The program's translations: each Qt Linguist file translations/ventora_<language>.ts is made
# into a .qm by lrelease at build time and embedded in `target` under :/translations. Italian is
# the source language and needs no file. A new language is one more entry in VENTORA_LANGUAGES.
set(VENTORA_LANGUAGES en)

# lrelease runs on the build machine, also in a cross build: Debian's qt6-l10n-tools.
find_program(VENTORA_LRELEASE lrelease
  HINTS "${QT_HOST_PATH}/lib/qt6/bin" /usr/lib/qt6/bin
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT VENTORA_LRELEASE)
  message(FATAL_ERROR "lrelease not found: install Debian's qt6-l10n-tools")
endif()

function(ventora_embed_translations target)
  set(qm_files)
  foreach(language ${VENTORA_LANGUAGES})
    set(ts ${PROJECT_SOURCE_DIR}/translations/ventora_${language}.ts)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/translations/ventora_${language}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${VENTORA_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts}
      COMMENT "lrelease ventora_${language}.ts"
      VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  qt_add_resources(${target} ventora_translations
    PREFIX /translations
    BASE ${CMAKE_CURRENT_BINARY_DIR}/translations
    FILES ${qm_files})
endfunction()
