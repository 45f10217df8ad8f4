#include "fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace varko::fuzz {

GameDirectory::GameDirectory() {
    const fs::path dir = fs::temp_directory_path() / ("varko_fuzz_game_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const char* name : {"tank.odf", "Base.ODF", "cannon.odf", "hull.sod", "TURRET.SOD", "readme.txt"})
        std::ofstream(dir / name) << "x";
    path = dir.string();
    // Pointing a catalogue enters its directory; the fuzzer reads its corpus from where it started.
    const fs::path start = fs::current_path();
    Expect(sod.PointAt(path), "cannot list the SOD directory");
    Expect(odf.PointAt(path), "cannot list the ODF directory");
    odf.SetMask("*.odf");
    fs::current_path(start);
}

GameDirectory::~GameDirectory() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

GameDirectory& SharedGameDirectory() {
    static GameDirectory directory;
    return directory;
}

} // namespace varko::fuzz
