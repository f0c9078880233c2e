// Writes the data files a new installation starts with into the folder given on the
// command line; the build runs it and installs the result to share/volantra.
#include "platform/posix_atomic_file_writer.h"
#include "tools/default_data.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_default_data OUTPUT_FOLDER\n";
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::cerr << "make_default_data: " << argv[1] << ": " << error.message() << "\n";
        return 1;
    }
    volantra::PosixAtomicFileWriter writer;
    if (volantra::Status written = volantra::DefaultData::writeTo(argv[1], writer); !written) {
        std::cerr << "make_default_data: " << written.error().message << "\n";
        return 1;
    }
    return 0;
}
