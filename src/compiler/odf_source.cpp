#include "varko/compiler/odf_source.h"
#include "varko/textrules/utf8_path.h"

#include "varko/textrules/case_insensitive.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace varko::compiler {

OdfSource OdfSourceFromPaths(std::function<std::string(std::string_view name)> findPath) {
    return [findPath = std::move(findPath)](std::string_view name) -> SharedLines {
        const std::string path = findPath(name);
        if (path.empty())
            return nullptr;
        std::optional<std::string> bytes = textrules::ReadFileBytes(path);
        if (!bytes)
            return nullptr;
        return std::make_shared<const textrules::LineList>(textrules::SplitDocumentLines(*bytes));
    };
}

OdfSource CachingOdfSource(OdfSource inner) {
    struct Cache {
        std::mutex mutex;
        std::unordered_map<std::string, SharedLines, textrules::CaseInsensitiveHash,
                           textrules::CaseInsensitiveEqual>
            files;
    };
    auto cache = std::make_shared<Cache>();
    return [inner = std::move(inner), cache](std::string_view name) -> SharedLines {
        {
            std::lock_guard lock(cache->mutex);
            auto it = cache->files.find(name);
            if (it != cache->files.end())
                return it->second;
        }
        // Read outside the lock, so threads read different files at once; the first result stays.
        SharedLines lines = inner(name);
        std::lock_guard lock(cache->mutex);
        return cache->files.try_emplace(std::string(name), std::move(lines)).first->second;
    };
}

OdfSource DirectoryOdfSource(const std::vector<std::string>& directories) {
    using PathIndex = std::unordered_map<std::string, std::string, textrules::CaseInsensitiveHash,
                                         textrules::CaseInsensitiveEqual>;
    auto index = std::make_shared<PathIndex>();
    for (const std::string& directory : directories) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(textrules::PathFromUtf8(directory), ec), end;
             !ec && it != end; it.increment(ec))
            index->try_emplace(textrules::Utf8FromPath(it->path().filename()),
                               textrules::Utf8FromPath(it->path()));
    }
    return OdfSourceFromPaths([index](std::string_view name) {
        auto it = index->find(name);
        return it == index->end() ? std::string() : it->second;
    });
}

} // namespace varko::compiler
