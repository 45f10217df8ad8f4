#pragma once

#include "varko/compiler/finding.h"

#include <string>
#include <vector>

// The findings as the message list shows them, so a table can state them as texts.
inline std::vector<std::string> MessageTexts(const std::vector<varko::compiler::Finding>& findings) {
    std::vector<std::string> texts;
    for (const varko::compiler::Finding& finding : findings)
        texts.push_back(varko::compiler::MessageText(finding));
    return texts;
}
