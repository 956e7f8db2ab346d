#pragma once

// Counted COM initialisation of the program's thread (single-threaded apartment): only the
// first of nested ComInitialize calls initialises COM and only the last ComUninitialize ends it.

// 0 on success, 1 when COM could not be initialised (the count stays 0).
int ComInitialize();
void ComUninitialize();
