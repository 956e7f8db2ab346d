#pragma once
#include <exception>
#include <string>

// A failure as the program tells it to the user: a parser's failure as "エラー場所：" with its
// position, a line feed and its message; any other exception by its text.
std::string FailureText(const std::exception& error);
