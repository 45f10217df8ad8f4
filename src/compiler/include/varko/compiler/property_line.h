#pragma once

#include "varko/textrules/case_insensitive.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace varko::compiler {

struct PropertyLine {
    std::string name;
    std::string value;
};

// Splits "name = value" assuming exactly one blank on each side of the first "=".
PropertyLine SplitPropertyLine(std::string_view line);

// The same split as views into the line, for callers that look at many lines and keep few.
struct PropertyLineView {
    std::string_view name;
    std::string_view value;
};
PropertyLineView SplitPropertyLineView(std::string_view line);

// Folds one or two trailing digits of a name into a single "?".
std::string FoldDigits(std::string_view name);

// The property-type table of declarations.txt: key "=" type word, keys matched ignoring case,
// the first matching line wins. Indexed so a lookup costs no scan of the table.
class DeclarationTable {
public:
    DeclarationTable() = default;
    explicit DeclarationTable(const textrules::LineList& lines);

    // The type word of the first declaration whose key matches, or the empty text.
    const std::string& TypeOf(std::string_view foldedName) const;
    std::size_t size() const { return m_types.size(); }

private:
    std::unordered_map<std::string, std::string, textrules::CaseInsensitiveHash,
                       textrules::CaseInsensitiveEqual>
        m_types;
};

} // namespace varko::compiler
