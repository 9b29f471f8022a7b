# Installs the build into a temporary prefix, makes it read-only and starts
# the installed program (--self-test) with an empty home: it must find its
# data under the prefix, write its files into the user's data folder and
# leave the prefix as installed.
# Arguments: BUILD (the build tree), WORK (a scratch folder).
file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
set(home ${WORK}/home)
file(MAKE_DIRECTORY ${home})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(result)
  message(FATAL_ERROR "cmake --install failed: ${error}")
endif()
foreach(installed bin/sextrix share/velorin-sextrix/lang-fr.cfg share/velorin-sextrix/lang-en.cfg
    share/velorin-sextrix/deepobj1.txt share/velorin-sextrix/OPENNGC-LICENSE.txt
    share/velorin-sextrix/demo/m67.jpg share/velorin-sextrix/aide-fr.html share/velorin-sextrix/aide-en.html
    share/applications/velorin-sextrix.desktop share/icons/hicolor/scalable/apps/velorin-sextrix.svg)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

file(GLOB_RECURSE before RELATIVE ${prefix} ${prefix}/*)
execute_process(COMMAND chmod -R a-w ${prefix})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_DATA_HOME --unset=XDG_CONFIG_HOME --unset=XDG_RUNTIME_DIR
    HOME=${home} QT_QPA_PLATFORM=offscreen "ASAN_OPTIONS=$ENV{ASAN_OPTIONS}:detect_leaks=0" ${prefix}/bin/sextrix --self-test
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error TIMEOUT 50)
execute_process(COMMAND chmod -R u+w ${prefix})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed program did not start (${result}): ${output}${error}")
endif()

set(user ${home}/.local/share/velorin-sextrix)
foreach(written lang.cfg hosts.cfg)
  if(NOT EXISTS ${user}/${written})
    message(FATAL_ERROR "${written} not written into ${user}; the program said: ${output}")
  endif()
endforeach()
file(GLOB_RECURSE after RELATIVE ${prefix} ${prefix}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the program wrote into its installation: ${after}")
endif()
file(REMOVE_RECURSE ${WORK})
