#include "varko/language/mod_knowledge.h"

namespace varko::language {

ModKnowledge KnowledgeOf(const compiler::CheckEnvironment& environment, CatalogueOf catalogue) {
    return {
        [catalogue](std::string_view name) { return catalogue()->TypeOf(name); },
        [catalogue](std::string_view name) { return catalogue()->SectionsOf(name); },
        [catalogue] { return catalogue()->Entries(); },
        FileSourcesOf(environment),
    };
}

HoverSources HoverSourcesOf(const ModKnowledge& knowledge) {
    return {knowledge.typeOf, knowledge.sectionsOf, knowledge.files};
}

FixSources FixSourcesOf(const ModKnowledge& knowledge) {
    std::function<std::vector<std::string>()> names;
    if (knowledge.properties) {
        names = [properties = knowledge.properties] {
            std::vector<std::string> found;
            for (const PropertyEntry& entry : properties())
                found.push_back(entry.name);
            return found;
        };
    }
    return {knowledge.typeOf, knowledge.files, std::move(names)};
}

} // namespace varko::language
