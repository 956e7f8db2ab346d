# Writes a UTF-8 text with line feeds as the text file that Notepad on a Japanese Windows reads
# as it is: Shift_JIS (code page 932) without a byte order mark, every line ended by CR LF.
# Usage: cmake -DSOURCE=<utf-8 text> -DTARGET=<file> -P NotepadText.cmake
file(READ ${SOURCE} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TARGET}.utf8 "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 ${TARGET}.utf8
  OUTPUT_FILE ${TARGET}.tmp RESULT_VARIABLE result ERROR_VARIABLE error)
file(REMOVE ${TARGET}.utf8)
if(NOT result EQUAL 0)
  file(REMOVE ${TARGET}.tmp)
  message(FATAL_ERROR "${SOURCE}: cannot convert to Shift_JIS: ${error}")
endif()
file(RENAME ${TARGET}.tmp ${TARGET})
