#include "language_fixture.h"

#include "varko/textrules/text_rules.h"

#include <algorithm>

namespace varko::language::testing {

namespace {

std::function<std::optional<std::string>(std::string_view)>
Finder(std::shared_ptr<std::vector<std::string>> names, std::string directory) {
    return [names, directory](std::string_view name) -> std::optional<std::string> {
        const auto it = std::find_if(names->begin(), names->end(), [&](const std::string& listed) {
            return textrules::SameText(listed, name);
        });
        if (it == names->end())
            return std::nullopt;
        return directory + "/" + *it;
    };
}

} // namespace

FileSources FakeFileSources(std::vector<std::string> odfNames, std::vector<std::string> sodNames) {
    auto odf = std::make_shared<std::vector<std::string>>(std::move(odfNames));
    auto sod = std::make_shared<std::vector<std::string>>(std::move(sodNames));
    return {[odf] { return *odf; }, [sod] { return *sod; }, Finder(odf, kAddonDir), Finder(sod, kSodDir),
            [](std::string_view name) { return textrules::SameText(name, kBuiltIn); }};
}

PropertyCatalog SampleCatalog() {
    const textrules::LineList declarations = {
        "unitName=string",    "baseClass=odf", "weaponName?=odf", "deployedName=odfn", "geometryName=sod",
        "collisionMesh=sodn", "maxHealth=int", "lodMesh?=sodn",   "isAssault=bool",    "unitName=real",
    };
    std::vector<PropertySection> sections = {
        {"craft", {"unitName", "baseClass", "weaponName1", "weaponName2", "maxHealth", "geometryName"}},
        {"building", {"unitName", "maxHealth", "collisionMesh"}},
        {"weapon", {"ordName", "unitName"}},
    };
    return PropertyCatalog(declarations, std::move(sections));
}

TypeOfProperty TypesOf(const PropertyCatalog& catalog) {
    return [&catalog](std::string_view name) { return catalog.TypeOf(name); };
}

FixSources FixSourcesFor(const PropertyCatalog& catalog) {
    return {TypesOf(catalog),
            FakeFileSources({"laser.odf", "Tank.odf", "factory.odf", "unitbase.odf", "notes.txt"},
                            {"tank.sod", "tank_col.sod"}),
            [&catalog] {
                std::vector<std::string> names;
                for (const PropertyEntry& entry : catalog.Entries())
                    names.push_back(entry.name);
                return names;
            }};
}

ModKnowledge SampleKnowledge(std::vector<std::string> odfNames, std::vector<std::string> sodNames) {
    auto catalog = std::make_shared<const PropertyCatalog>(SampleCatalog());
    ModKnowledge knowledge{
        [catalog](std::string_view name) { return catalog->TypeOf(name); },
        [catalog](std::string_view name) { return catalog->SectionsOf(name); },
        [catalog] { return catalog->Entries(); },
        FakeFileSources(std::move(odfNames), std::move(sodNames)),
    };
    return knowledge;
}

} // namespace varko::language::testing
