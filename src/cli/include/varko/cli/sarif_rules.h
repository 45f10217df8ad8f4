#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace varko::cli {

// What a SARIF log says about one kind of finding; the texts follow the help page's table of
// messages (what it means, how to fix it).
struct SarifRule {
    std::string_view code;             // the rule's id, e.g. "M1"
    std::string_view name;             // a short PascalCase name, e.g. "UnknownCommand"
    std::string_view shortDescription; // the message as the list shows it, parts named
    std::string_view fullDescription;  // what the message means
    std::string_view help;             // how to fix it
};

// Every rule, in the order of the codes: the ODF checker's, then the tech tree's, then the rest.
std::span<const SarifRule> SarifRules();

// The position of a code's rule in SarifRules(), if it has one.
std::optional<std::size_t> SarifRuleIndex(std::string_view code);

} // namespace varko::cli
