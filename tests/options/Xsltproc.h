#pragma once
// The build machine's xsltproc, for the stylesheets that ship beside the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace xsltproc {

// A file beside the program in the build.
inline std::string BinPath(const std::string& name)
{
    const char* root = std::getenv("TV_BINARY_DIR");
    return (std::filesystem::path(root ? root : ".") / "bin" / name).string();
}

// The stylesheet's output for the document, with what xsltproc says on failure.
inline std::string Run(const std::string& stylesheetPath, const std::string& documentPath)
{
    std::string command = "xsltproc '" + stylesheetPath + "' '" + documentPath + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, count);
    EXPECT_EQ(0, pclose(pipe)) << output;
    return output;
}

}
