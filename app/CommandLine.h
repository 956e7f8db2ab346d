#pragma once

// With a file path as the first argument, writes that record's settings XML (CR LF line ends) to
// standard output, or "Error : " and the failure to standard error, and returns true. Returns
// false when the program was started without an argument.
bool RunCommandLine();
