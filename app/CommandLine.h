#pragma once

// With a file path as the first argument, writes that record's settings XML (CR LF line ends) to
// standard output, or "Error : " and the failure to standard error (a file that does not open, or
// that opens but does not decode), and returns true. Returns false when the program was started
// without an argument.
bool RunCommandLine();

// Another instance holds the single-instance lock: with a file path as the first argument, says so
// on standard error ("Error : " and the reason); without an argument (the window) shows nothing.
void ReportInstanceRunning();
