# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a command-line program's man page from the program's own help, so
# that the page never says anything the program does not: the general help,
# then each command's when the help lists commands (as mkctl's does).
#   cmake -DPROGRAM=path/to/mkctl -DOUT=mkctl.1 -DDATE=YYYY-MM-DD -DVERSION=X.Y
#         [-DSUMMARY="one line"] -P help-man.cmake
# The summary is the help's first line "NAME - what it is" unless given.
foreach(var PROGRAM OUT DATE VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "help-man.cmake needs -D${var}=...")
  endif()
endforeach()
get_filename_component(name ${PROGRAM} NAME)
string(TOUPPER "${name}" title)

function(run_program result)
  execute_process(COMMAND ${PROGRAM} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${name} ${ARGN} failed (${rc})")
  endif()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# Help text as roff lines kept as they are: backslashes and minus signs
# escaped, and no line may start with a control character.
function(roff_verbatim result text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  # (A "^" would match again after each replacement in CMake's regexes.)
  string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" text "\n${text}")
  set(${result} ".nf${text}\n.fi\n" PARENT_SCOPE)
endfunction()

run_program(help --help)
set(body "${help}")
if(NOT DEFINED SUMMARY)
  string(REGEX MATCH "^[^\n]*" first "${help}")
  string(REPLACE "${name} - " "" SUMMARY "${first}")
  string(LENGTH "${first}" skip)
  string(SUBSTRING "${help}" ${skip} -1 body)
endif()
string(STRIP "${body}" body)
string(REPLACE "-" "\\-" SUMMARY "${SUMMARY}")
string(REPLACE "-" "\\-" roff_name "${name}")

set(page ".TH ${title} 1 \"${DATE}\" \"${name} ${VERSION}\" \"MK configurator\"\n")
string(APPEND page ".SH NAME\n${roff_name} \\- ${SUMMARY}\n.SH DESCRIPTION\n")
roff_verbatim(text "${body}")
string(APPEND page "${text}")

# Commands are listed one a line, indented, under "Команды:".
string(REGEX MATCH "\nКоманды:\n(  [^\n]+\n)+" list "${help}")
string(REGEX MATCHALL "\n  [a-z][-a-z]*" commands "${list}")
if(commands)
  string(APPEND page ".SH COMMANDS\n")
endif()
foreach(command ${commands})
  string(STRIP "${command}" command)
  run_program(command_help ${command} --help)
  string(APPEND page ".SS ${command}\n")
  roff_verbatim(text "${command_help}")
  string(APPEND page "${text}")
endforeach()
file(WRITE ${OUT} "${page}")
