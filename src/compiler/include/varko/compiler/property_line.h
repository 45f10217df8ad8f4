#pragma once

#include "varko/textrules/name_index.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

struct PropertyLine {
    std::string name;
    std::string value;
};

// The parts of a property line as views into it.
struct PropertyLineView {
    std::string_view name;
    std::string_view value;
    std::size_t valueStart = 0; // the value's 0-based offset in the line
};

// Splits "name = value" assuming exactly one blank on each side of the first "=": the name ends
// two bytes before the value, which begins two bytes past the "=" (the second byte of a line
// without one).
PropertyLine SplitPropertyLine(std::string_view line);
PropertyLineView SplitPropertyLineView(std::string_view line);

// Folds one or two trailing digits of a name into a single "?".
std::string FoldDigits(std::string_view name);
void FoldDigitsInPlace(std::string& name);

// The property-type table of declarations.txt: key "=" type word, keys matched ignoring case,
// the first matching line wins. Indexed so a lookup costs no scan of the table.
class DeclarationTable {
public:
    DeclarationTable() = default;
    explicit DeclarationTable(const textrules::LineList& lines);

    // The type word of the first declaration whose key matches, or the empty text.
    const std::string& TypeOf(std::string_view foldedName) const;
    std::size_t size() const { return m_index.size(); }

private:
    std::vector<std::string> m_keys;
    std::vector<std::string> m_types;
    textrules::NameIndex m_index; // over m_keys
};

} // namespace varko::compiler
