#pragma once

#include "varko/compiler/check_environment.h"
#include "varko/language/file_reference.h"
#include "varko/language/file_sources.h"
#include "varko/language/fix_suggestion.h"
#include "varko/language/hover_text.h"
#include "varko/language/property_catalog.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// What the language features know about one mod. Each part is a function, so its owner may put
// another catalogue or directory behind it while the features keep their copy.
struct ModKnowledge {
    TypeOfProperty typeOf;
    // The proplib.txt sections that list a property name.
    std::function<std::vector<std::string>(std::string_view name)> sectionsOf;
    // The property names worth offering, sorted ignoring case, with their declared types.
    std::function<std::vector<PropertyEntry>()> properties;
    FileSources files;
};

// The catalogue as it is now; called from workers, so it must be safe to call from any thread.
using CatalogueOf = std::function<std::shared_ptr<const PropertyCatalog>()>;

// The knowledge of a check environment's directories and a property catalogue. The environment
// must outlive what is returned.
ModKnowledge KnowledgeOf(const compiler::CheckEnvironment& environment, CatalogueOf catalogue);

HoverSources HoverSourcesOf(const ModKnowledge& knowledge);
FixSources FixSourcesOf(const ModKnowledge& knowledge);

} // namespace varko::language
