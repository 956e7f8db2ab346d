#pragma once
// Scratch files for tests: a folder of its own per test program, removed at exit.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testfiles {

inline const std::filesystem::path& ScratchFolder()
{
    struct Folder {
        std::filesystem::path path;
        Folder()
        {
            auto base = std::filesystem::temp_directory_path();
            for (auto n = std::chrono::steady_clock::now().time_since_epoch().count();; ++n) {
                path = base / ("tvtest_" + std::to_string(n));
                if (std::filesystem::create_directory(path))
                    break;
            }
        }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static Folder folder;
    return folder.path;
}

// A file beside the program in the build (option.xml, Rename.xsl).
inline std::string BinPath(const std::string& name)
{
    const char* root = std::getenv("TV_BINARY_DIR");
    return (std::filesystem::path(root ? root : ".") / "bin" / name).string();
}

// The full path of a scratch file (not created). The name's bytes are kept as they are: a
// Shift_JIS name stays the name that the program's ANSI calls see.
inline std::string Path(const std::string& name)
{
    return ScratchFolder().string() + static_cast<char>(std::filesystem::path::preferred_separator) +
           name;
}

inline std::string Write(const std::string& name, const std::string& bytes)
{
    std::string path = Path(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A file of the source tree (samples, option.xml sources, fixtures).
inline std::string SourcePath(const std::string& relative)
{
    const char* root = std::getenv("TV_SOURCE_DIR");
    return (std::filesystem::path(root ? root : ".") / relative).string();
}

}
