# tv_delay_load_imports(TARGET)
# Every DLL that TARGET imports, apart from kernel32 and the C runtime, is loaded at the first call
# into it instead of at the program's start, so that a run which never makes a window (the
# command-line mode) does not pay for starting the window, shell and COM libraries.
#
# At the end of the configuration this walks the libraries that TARGET links, directly, through
# the program's own libraries and through the toolchain's default libraries. For each one that is
# a DLL's import library it writes a delay-import library of the same name (the same functions,
# made with dlltool) into a folder that the target's link searches first. A library linked later
# anywhere in the program is covered without further work; one linked by full path is not, and
# the test of the command-line mode's loaded modules then fails.
function(tv_delay_load_imports target)
  # A deferred call reads its arguments when it runs: pass the target's name as text.
  cmake_language(EVAL CODE
    "cmake_language(DEFER DIRECTORY [[${PROJECT_SOURCE_DIR}]] CALL tv_delay_load_now [[${target}]])")
endfunction()

# The plain library names (-l) that target links, with those of every target it links.
function(tv_linked_library_names target result)
  set(queue ${target})
  set(seen ${target})
  set(names)
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(direct ${current} LINK_LIBRARIES)
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    foreach(item IN LISTS direct interface)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
      if(TARGET ${item})
        if(NOT item IN_LIST seen)
          list(APPEND seen ${item})
          list(APPEND queue ${item})
        endif()
      elseif(item MATCHES "^[A-Za-z0-9_]+$")
        list(APPEND names ${item})
      endif()
    endforeach()
  endwhile()
  string(REGEX MATCHALL "-l[A-Za-z0-9_]+" defaults "${CMAKE_CXX_STANDARD_LIBRARIES}")
  list(TRANSFORM defaults REPLACE "^-l" "")
  list(APPEND names ${defaults})
  list(REMOVE_DUPLICATES names)
  set(${result} ${names} PARENT_SCOPE)
endfunction()

function(tv_delay_load_now target)
  set(folder ${PROJECT_BINARY_DIR}/delayimp/${target})
  file(MAKE_DIRECTORY ${folder})
  tv_linked_library_names(${target} names)
  foreach(name IN LISTS names)
    unset(import_lib)
    find_library(import_lib NAMES ${name} NO_CACHE)
    if(NOT import_lib)
      continue()
    endif()
    # dlltool names the DLL of an import library and refuses a static one.
    execute_process(COMMAND ${CMAKE_DLLTOOL} --identify ${import_lib}
      OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
    string(TOLOWER "${dll}" dll_lower)
    if(failed OR dll_lower MATCHES "^(kernel32|msvcrt)\\.dll$")
      continue()
    endif()
    set(delay_lib ${folder}/lib${name}.a)
    if("${import_lib}" IS_NEWER_THAN "${delay_lib}")
      # The import library's functions are its defined text symbols; its data exports cannot be
      # delay-loaded and stay out, so a use of one fails to link.
      execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import_lib}
        OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
      string(REGEX MATCHALL "[^\n]* T [^\n]*" functions "${symbols}")
      list(TRANSFORM functions REPLACE "^.* T " "")
      list(REMOVE_DUPLICATES functions)
      list(JOIN functions "\n" exports)
      file(WRITE ${folder}/${name}.def "LIBRARY \"${dll}\"\nEXPORTS\n${exports}\n")
      execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${name}.def --dllname ${dll}
        --output-delaylib ${delay_lib} COMMAND_ERROR_IS_FATAL ANY)
    endif()
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${delay_lib})
  endforeach()
  target_link_directories(${target} BEFORE PRIVATE ${folder})
endfunction()
