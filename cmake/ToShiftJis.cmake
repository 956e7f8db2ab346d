# Writes a UTF-8 text as the Shift_JIS (code page 932) file, without a byte order mark, that the
# program and Notepad on a Japanese Windows read as it is.
# Usage: cmake -DSOURCE=<utf-8 text> -DTARGET=<file> [-DXML=ON] [-DCRLF=ON] -P ToShiftJis.cmake
#   XML   the XML declaration's encoding="UTF-8" becomes encoding="Shift_JIS"
#   CRLF  every line ends with CR LF, as Notepad's texts do
file(READ ${SOURCE} text)
if(XML)
  string(REPLACE "encoding=\"UTF-8\"" "encoding=\"Shift_JIS\"" text "${text}")
endif()
if(CRLF)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
endif()
file(WRITE ${TARGET}.utf8 "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 ${TARGET}.utf8
  OUTPUT_FILE ${TARGET}.tmp RESULT_VARIABLE result ERROR_VARIABLE error)
file(REMOVE ${TARGET}.utf8)
if(NOT result EQUAL 0)
  file(REMOVE ${TARGET}.tmp)
  message(FATAL_ERROR "${SOURCE}: cannot convert to Shift_JIS: ${error}")
endif()
file(RENAME ${TARGET}.tmp ${TARGET})
