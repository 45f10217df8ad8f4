#include "varko/compiler/odf_source.h"

#include "varko/textrules/case_insensitive.h"

#include <filesystem>
#include <memory>
#include <unordered_map>

namespace varko::compiler {

OdfSource OdfSourceFromPaths(std::function<std::string(std::string_view name)> findPath) {
    return [findPath = std::move(findPath)](std::string_view name) -> std::optional<textrules::LineList> {
        const std::string path = findPath(name);
        if (path.empty())
            return std::nullopt;
        std::optional<std::string> bytes = textrules::ReadFileBytes(path);
        if (!bytes)
            return std::nullopt;
        return textrules::SplitDocumentLines(*bytes);
    };
}

OdfSource DirectoryOdfSource(const std::vector<std::string>& directories) {
    using PathIndex = std::unordered_map<std::string, std::string, textrules::CaseInsensitiveHash,
                                         textrules::CaseInsensitiveEqual>;
    auto index = std::make_shared<PathIndex>();
    for (const std::string& directory : directories) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec))
            index->try_emplace(it->path().filename().string(), it->path().string());
    }
    return OdfSourceFromPaths([index](std::string_view name) {
        auto it = index->find(name);
        return it == index->end() ? std::string() : it->second;
    });
}

} // namespace varko::compiler
