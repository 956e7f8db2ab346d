#include "framework/TextFile.h"

#include <fstream>

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}
