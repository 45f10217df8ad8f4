// The shared include closures give exactly the findings of the walk per document, on many small
// random mods: circles, diamonds, files reached twice, names in other case, missing files.
#include "varko/compiler/include_chain.h"
#include "varko/compiler/include_closures.h"

#include "finding_texts.h"
#include "memory_source.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

using namespace varko::compiler;
using varko::textrules::LineList;

namespace {

// Small mods whose files include each other at random and set a few shared names.
class RandomMod {
public:
    struct Shape {
        const char* name;
        int files;          // f0.odf ... f(files-1).odf
        int maxIncludes;    // include lines per file, 0 to this many
        bool singleInclude; // exactly one include line per file, as the benchmark's chains
    };

    RandomMod(const Shape& shape, unsigned seed) : m_shape(shape), m_random(seed) {
        for (int f = 0; f < shape.files; ++f)
            m_files["f" + std::to_string(f) + ".odf"] = File(f);
    }

    const MemorySource::Files& Files() const { return m_files; }
    // A document that is no file of the mod, or one edited away from the file on disk.
    LineList Document() { return File(static_cast<int>(m_random() % (m_shape.files + 1))); }

private:
    int Pick(int count) { return static_cast<int>(m_random() % static_cast<unsigned>(count)); }

    std::string Target(int self) {
        switch (Pick(10)) {
        case 0:
            return "gone.odf";
        case 1:
            return "F" + std::to_string(Pick(m_shape.files)) + ".ODF";
        case 2:
            return "f" + std::to_string(self) + ".odf";
        default:
            return "f" + std::to_string(Pick(m_shape.files)) + ".odf";
        }
    }

    LineList File(int self) {
        static const char* const kNames[] = {"x", "y", "z", "X", "w"};
        static const char* const kValues[] = {"1", "2", "1 // same", "\"a b\""};
        LineList lines;
        const int includes = m_shape.singleInclude ? 1 : Pick(m_shape.maxIncludes + 1);
        const int properties = Pick(4);
        std::vector<bool> order(includes, true);
        order.resize(includes + properties, false);
        std::shuffle(order.begin(), order.end(), m_random);
        for (bool include : order)
            lines.push_back(include ? "#include \"" + Target(self) + "\""
                                    : std::string(kNames[Pick(5)]) + " = " + kValues[Pick(4)]);
        return lines;
    }

    Shape m_shape;
    std::mt19937 m_random;
    MemorySource::Files m_files;
};

TEST(IncludeClosuresTest, SameFindingsAsTheWalkOnRandomMods) {
    const RandomMod::Shape shapes[] = {
        {"chains and circles", 8, 1, true},
        {"few files, many includes", 4, 3, false},
        {"diamonds and circles", 8, 3, false},
        {"sparse", 12, 2, false},
    };
    int clashes = 0;
    int cycles = 0;
    for (const RandomMod::Shape& shape : shapes) {
        for (unsigned seed = 1; seed <= 400; ++seed) {
            RandomMod mod(shape, seed);
            const MemorySource memory(mod.Files());
            const OdfSource source = CachingOdfSource(memory.Source());
            const IncludeClosures closures(source);
            auto expectSame = [&](const std::string& name, const LineList& lines) {
                const std::vector<Finding> walked = CheckIncludeChain(name, lines, source);
                ASSERT_EQ(closures.Check("mod/" + name, lines), walked)
                    << shape.name << ", seed " << seed << ", " << name;
                for (const Finding& finding : walked)
                    (finding.code == "X3" ? cycles : clashes) += 1;
            };
            for (const auto& [name, lines] : mod.Files())
                expectSame(name, lines);
            expectSame("f1.odf", mod.Document());
            expectSame("other.odf", mod.Document());
        }
    }
    EXPECT_GT(cycles, 1000) << "the mods must have circles";
    EXPECT_GT(clashes, 1000) << "the mods must have clashes";
}

// f0.odf includes f1.odf ... and the last one includes `last`; each sets a property of its own and
// one they share, so every file overrides the shared one for the files it includes.
MemorySource::Files LongChain(int length, const std::string& last) {
    MemorySource::Files files;
    for (int i = 0; i < length; ++i) {
        const std::string next = i + 1 < length ? "f" + std::to_string(i + 1) + ".odf" : last;
        files["f" + std::to_string(i) + ".odf"] = {
            "p" + std::to_string(i) + " = 1", "#include \"" + next + "\"", "shared = " + std::to_string(i)};
    }
    return files;
}

TEST(IncludeClosuresTest, LongChainsAndCirclesWithoutDeepCalls) {
    const struct {
        const char* name;
        std::string last;
        std::size_t findings;
    } shapes[] = {
        {"a chain that ends in a missing file", "gone.odf", 0},
        {"a circle through every file", "F0.ODF", 1},
        {"a chain into a circle", "f500.odf", 1},
    };
    for (const auto& shape : shapes) {
        const MemorySource::Files files = LongChain(1000, shape.last);
        const OdfSource source = CachingOdfSource(MemorySource(files).Source());
        const IncludeClosures closures(source);
        for (const char* name : {"f999.odf", "f0.odf", "f500.odf", "f1.odf"}) {
            const std::vector<Finding> walked = CheckIncludeChain(name, files.at(name), source);
            EXPECT_EQ(walked.size(), shape.findings) << shape.name << ", " << name;
            EXPECT_EQ(closures.Check(name, files.at(name)), walked) << shape.name << ", " << name;
        }
    }
}

TEST(IncludeClosuresTest, WorkersShareOneClosureStore) {
    RandomMod mod({"diamonds and circles", 40, 3, false}, 7);
    const OdfSource source = CachingOdfSource(MemorySource(mod.Files()).Source());
    std::vector<std::pair<std::string, std::vector<Finding>>> expected;
    for (const auto& [name, lines] : mod.Files())
        expected.emplace_back(name, CheckIncludeChain(name, lines, source));
    const IncludeClosures closures(source);
    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> workers;
    for (std::size_t w = 0; w < mismatches.size(); ++w) {
        workers.emplace_back([&, w] {
            // Each worker starts at a different file, so they summarise different parts at once.
            for (std::size_t k = 0; k < expected.size(); ++k) {
                const auto& [name, findings] = expected[(k + w * 10) % expected.size()];
                mismatches[w] += closures.Check(name, mod.Files().at(name)) != findings;
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));
}

} // namespace
