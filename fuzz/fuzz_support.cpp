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
    path = fs::canonical(dir).string();
    const fs::path start = fs::current_path();
    odf = std::make_shared<compiler::FileCatalogue>(path, "*.odf");
    sod = std::make_shared<compiler::FileCatalogue>(path, "*.*");
    Expect(odf->Contains("TANK.odf") && sod->Contains("hull.sod"), "cannot list the game directory");
    Expect(fs::current_path() == start, "listing moved the current directory");
}

compiler::GameFiles GameDirectory::With(const textrules::LineList& ignoreNames) const {
    return compiler::GameFiles({odf}, {sod}, std::make_shared<const compiler::NameList>(ignoreNames));
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
