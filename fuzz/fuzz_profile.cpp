// The profile reader and writer over an arbitrary starting file and an arbitrary sequence of
// writes and section removals. After each step the file is read again from its bytes:
// - every value written since reads back as the reading rules make of it;
// - a write adds its own section or key at most, and a removal takes away only its section;
// - the file's other sections keep their keys.
#include "fuzz_support.h"
#include "profile_format.h"
#include "varko/textrules/text_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>

namespace {

using varko::fuzz::Expect;
using varko::textrules::FoldCase;
using varko::textrules::ProfileText;

using Names = std::vector<std::string>;
using Written = std::map<std::pair<std::string, std::string>, std::string>;

// The names the program uses: no line breaks, no blanks around them, no "=" or brackets.
std::string ConsumeName(FuzzedDataProvider& data) {
    static const Names kPool = {"Dirs", "Display", "Window", "Application", "Addon", "Sod", "Version", "Top"};
    if (data.ConsumeBool())
        return kPool[data.ConsumeIntegralInRange<std::size_t>(0, kPool.size() - 1)];
    std::string name;
    for (char c : data.ConsumeRandomLengthString(12)) {
        if (std::string_view("\r\n=[]; \t").find(c) == std::string_view::npos)
            name.push_back(c);
    }
    return name.empty() ? std::string("Key") : name;
}

// What a read returns for a written value: blanks and tabs around it and one pair of matching
// quotes are dropped; a line break inside it became a blank.
std::string AsRead(std::string value) {
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    const std::size_t first = value.find_first_not_of(" \t");
    value = first == std::string::npos ? std::string()
                                       : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

Names Folded(Names names) {
    for (std::string& name : names)
        name = FoldCase(name);
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, Names> KeysBySection(const ProfileText& profile) {
    std::map<std::string, Names> keys;
    for (const std::string& section : profile.Sections())
        keys.emplace(FoldCase(section), Folded(profile.Keys(section)));
    return keys;
}

Names WithOne(Names names, const std::string& name) {
    if (std::find(names.begin(), names.end(), FoldCase(name)) == names.end())
        names.push_back(FoldCase(name));
    std::sort(names.begin(), names.end());
    return names;
}

void CheckWrite(ProfileText& profile, const std::string& section, const std::string& key,
                const std::string& value) {
    const Names sectionsBefore = Folded(profile.Sections());
    std::map<std::string, Names> keysBefore = KeysBySection(profile);
    profile.Write(section, key, value);
    const ProfileText reread(profile.Bytes());
    Expect(Folded(reread.Sections()) == WithOne(sectionsBefore, section), "a write changed other sections");
    keysBefore[FoldCase(section)] = WithOne(keysBefore[FoldCase(section)], key);
    Expect(KeysBySection(reread) == keysBefore, "a write changed other keys");
    profile = reread;
}

void CheckRemoval(ProfileText& profile, const std::string& section) {
    Names sections = Folded(profile.Sections());
    const bool present = std::find(sections.begin(), sections.end(), FoldCase(section)) != sections.end();
    Expect(profile.RemoveSection(section) == present, "removal reports the wrong outcome");
    if (present)
        sections.erase(std::find(sections.begin(), sections.end(), FoldCase(section)));
    const ProfileText reread(profile.Bytes());
    Expect(Folded(reread.Sections()) == sections, "a removal took more than its section");
    profile = reread;
}

void Forget(Written& written, const std::string& section) {
    std::erase_if(written, [&](const auto& entry) { return entry.first.first == FoldCase(section); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    ProfileText profile(data.ConsumeRandomLengthString(512));
    Written written;
    const int steps = data.ConsumeIntegralInRange(1, 12);
    for (int step = 0; step < steps && data.remaining_bytes() > 0; ++step) {
        const std::string section = ConsumeName(data);
        if (data.ConsumeIntegralInRange(0, 5) == 0) {
            CheckRemoval(profile, section);
            Forget(written, section); // a second section of that name may now answer
            continue;
        }
        const std::string key = ConsumeName(data);
        const std::string value = data.ConsumeRandomLengthString(64);
        CheckWrite(profile, section, key, value);
        written[{FoldCase(section), FoldCase(key)}] = AsRead(value);
        for (const auto& [place, expected] : written)
            Expect(profile.Read(place.first, place.second) == expected,
                   "a written value reads back otherwise", place.first + "/" + place.second);
    }
    return 0;
}
