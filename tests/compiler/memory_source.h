#pragma once

#include "varko/compiler/odf_source.h"
#include "varko/textrules/case_insensitive.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

// What a source gave, as a value a test can compare.
inline std::optional<varko::textrules::LineList> LinesOf(const varko::compiler::SharedLines& lines) {
    return lines ? std::optional(*lines) : std::nullopt;
}

// An ODF source over files held in memory, looked up ignoring case like the directory source; it
// counts how often each name is asked for.
class MemorySource {
public:
    using Files = std::map<std::string, varko::textrules::LineList>;

    explicit MemorySource(const Files& files) {
        for (const auto& [name, lines] : files)
            m_files->try_emplace(name, lines);
    }

    varko::compiler::OdfSource Source() const {
        return [files = m_files, asked = m_asked](std::string_view name) -> varko::compiler::SharedLines {
            ++(*asked)[std::string(name)];
            auto it = files->find(name);
            if (it == files->end())
                return nullptr;
            return std::make_shared<const varko::textrules::LineList>(it->second);
        };
    }

    int Asked(const std::string& name) const {
        auto it = m_asked->find(name);
        return it == m_asked->end() ? 0 : it->second;
    }

private:
    using Index =
        std::unordered_map<std::string, varko::textrules::LineList, varko::textrules::CaseInsensitiveHash,
                           varko::textrules::CaseInsensitiveEqual>;
    std::shared_ptr<Index> m_files = std::make_shared<Index>();
    std::shared_ptr<std::map<std::string, int>> m_asked = std::make_shared<std::map<std::string, int>>();
};
