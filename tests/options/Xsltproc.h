#pragma once
// The build machine's xsltproc, for the stylesheets that ship beside the program.
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace xsltproc {

using testfiles::BinPath;

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
