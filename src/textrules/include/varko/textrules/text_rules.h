#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::textrules {

// An ordered list of texts: insertion order kept, duplicates and empty texts allowed.
using LineList = std::vector<std::string>;

// Case-insensitive equality: A to Z equal a to z; other bytes compare exactly.
bool SameText(std::string_view a, std::string_view b);
std::string FoldCase(std::string_view text);

// Cuts a text into lines: CR, LF and CR LF each end one line, a NUL byte ends the text.
LineList SplitLines(std::string_view text);

// Cuts a document's bytes into lines as the editor loads them: CR, LF and CR LF each end one line,
// and every other byte, NUL included, is a character of its line.
LineList SplitDocumentLines(std::string_view bytes);
// The same into a list that is reused: its strings keep their storage.
void SplitDocumentLines(LineList& lines, std::string_view bytes);
// Replaces the list with the lines of the file; false (list unchanged) when it cannot be read.
bool LoadLines(LineList& list, const std::string& path);

// Reads a whole regular file as bytes; nullopt when it cannot be opened or read, or when it is a
// directory, pipe or device. Never waits for a writer.
std::optional<std::string> ReadFileBytes(const std::string& path);

int IndexOfText(const LineList& list, std::string_view text);
std::string ValueOf(const LineList& list, std::string_view name);
void SplitTokens(LineList& list, std::string_view text);
LineList SplitTokens(std::string_view text);
// Stops after the first `most` tokens, for callers that look no further.
void SplitTokens(LineList& list, std::string_view text, std::size_t most);
// The same, with the 0-based offset in `text` where each token begins (its opening quote, if any).
void SplitTokens(LineList& list, std::vector<std::size_t>& starts, std::string_view text, std::size_t most);
std::optional<std::int32_t> ParseInt(std::string_view text);
std::string FileExtension(std::string_view name);

// 1-based substring with the forgiving bounds of the text rules.
std::string Substring(std::string_view text, long long start, long long count);
// 1-based position of the first occurrence, 0 when absent or when either text is empty.
std::size_t Position(std::string_view find, std::string_view text);

} // namespace varko::textrules
