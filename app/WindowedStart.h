#pragma once

// Creates and shows the main window and runs the message loop; returns the exit code.
int RunWindowed();
