# Writes the UTF-8 source of option.xml as the Shift_JIS file that the program reads.
# Usage: cmake -DSOURCE=<option.xml.in> -DTARGET=<option.xml> -P ToShiftJis.cmake
file(READ ${SOURCE} text)
string(REPLACE "encoding=\"UTF-8\"" "encoding=\"Shift_JIS\"" text "${text}")
file(WRITE ${TARGET}.utf8 "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 ${TARGET}.utf8
  OUTPUT_FILE ${TARGET}.tmp RESULT_VARIABLE result ERROR_VARIABLE error)
file(REMOVE ${TARGET}.utf8)
if(NOT result EQUAL 0)
  file(REMOVE ${TARGET}.tmp)
  message(FATAL_ERROR "${SOURCE}: cannot convert to Shift_JIS: ${error}")
endif()
file(RENAME ${TARGET}.tmp ${TARGET})
