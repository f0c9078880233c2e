# The help panel's web address, VOLANTRA_HELP_URL: empty (the panel then shows the
# program's name and is no link), or an http or https address of a real host. An address
# of the reserved example, test or invalid domains would lead nowhere, and quotes,
# backslashes or spaces have no place in an address (it becomes a C++ string).
function(volantra_check_help_url url)
  if(url STREQUAL "")
    return()
  endif()
  if(NOT url MATCHES "^[Hh][Tt][Tt][Pp][Ss]?://([^/?#@]*@)?([^/?#:@]+)(:[0-9]+)?([/?#][^ \"\\\\]*)?$")
    message(FATAL_ERROR "VOLANTRA_HELP_URL \"${url}\" is not an http or https address "
                        "(for example https://www.example.org/support/); leave it empty to "
                        "show the program's name instead")
  endif()
  string(TOLOWER "${CMAKE_MATCH_2}" host)
  if(host MATCHES "(^|\\.)(example|invalid|test|localhost)$")
    message(FATAL_ERROR "VOLANTRA_HELP_URL \"${url}\" names the reserved host ${host}, which "
                        "leads nowhere; give a real address or leave it empty")
  endif()
endfunction()

# Run as a script (cmake -DVOLANTRA_HELP_URL=... -P help_url.cmake), it only checks.
if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  volantra_check_help_url("${VOLANTRA_HELP_URL}")
endif()
