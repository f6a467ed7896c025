// Draws every image of data/images/.
//   image-tool OUTDIR        writes them all into OUTDIR
//   image-tool --check DIR   exits 0 only when every file in DIR is byte for
//                            byte what the tool draws
#include "ImageCatalog.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

int Write(const std::filesystem::path& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    int failures = 0;
    for (const ImageFile& image : ImageCatalog()) {
        const auto bytes = image.make();
        if (!bytes) {
            std::fprintf(stderr, "image-tool: cannot draw %s\n", image.name.c_str());
            ++failures;
        } else if (!WriteFile(dir / image.name, *bytes)) {
            std::fprintf(stderr, "image-tool: cannot write %s\n", (dir / image.name).c_str());
            ++failures;
        } else {
            std::printf("wrote %s (%zu bytes)\n", (dir / image.name).c_str(), bytes->size());
        }
    }
    return failures == 0 ? 0 : 1;
}

int Check(const std::filesystem::path& dir) {
    int failures = 0;
    for (const ImageFile& image : ImageCatalog()) {
        const auto bytes = image.make();
        std::vector<std::uint8_t> committed;
        const char* fault = nullptr;
        if (!bytes) {
            fault = "cannot be drawn";
        } else if (!ReadFile(dir / image.name, committed)) {
            fault = "is missing";
        } else if (committed != *bytes) {
            fault = "differs from what the tool draws";
        }
        std::printf("%s %s\n", image.name.c_str(), fault ? fault : "matches");
        failures += fault != nullptr;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) != "--check") {
        return Write(argv[1]);
    }
    if (argc == 3 && std::string(argv[1]) == "--check") {
        return Check(argv[2]);
    }
    std::fprintf(stderr, "usage: image-tool OUTDIR\n       image-tool --check DIR\n");
    return 2;
}
