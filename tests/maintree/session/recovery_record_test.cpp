#include "varko/maintree/session/recovery_record.h"

#include <gtest/gtest.h>

#include <random>

namespace varko::maintree {
namespace {

using namespace std::string_literals;

std::string EveryByte() {
    std::string bytes;
    for (int code = 0; code < 256; ++code)
        bytes += static_cast<char>(code);
    return bytes;
}

TEST(RecoveryRecord, RoundTrip) {
    struct Row {
        const char* name;
        RecoveryRecord record;
    };
    const Row rows[] = {
        {"saved document", {"/x/a.odf", false, "a = 1\nb = 2\n", true}},
        {"untitled tech tree", {"Untitled.tt", true, "tree", true}},
        {"every byte value", {"/x/b.odf", false, EveryByte() + EveryByte(), true}},
        {"empty text", {"/x/c.odf", false, "", true}},
        {"name with line breaks and digits", {"/x/12\nname: 3\r\n.odf", false, "text: 99\n", true}},
        {"text that looks like a header", {"/x/d", false, "VARKO RECOVERY 1\nuntitled: 1\n", true}},
        {"empty name", {"", true, "x", true}},
    };
    for (const Row& row : rows) {
        const RecoveryRecord back = DecodeRecovery(EncodeRecovery(row.record));
        EXPECT_EQ(back.documentName, row.record.documentName) << row.name;
        EXPECT_EQ(back.untitled, row.record.untitled) << row.name;
        EXPECT_EQ(back.bytes, row.record.bytes) << row.name;
        EXPECT_TRUE(back.complete) << row.name;
    }
}

// A file cut short anywhere gives back what it holds and says it is incomplete.
TEST(RecoveryRecord, EveryTruncationIsReadAsFarAsItGoes) {
    const RecoveryRecord record{"/x/a.odf", false, EveryByte(), true};
    const std::string file = EncodeRecovery(record);
    const std::size_t textStart = file.size() - record.bytes.size();
    const std::size_t magicLength = file.find('\n') + 1;
    for (std::size_t length = 0; length < file.size(); ++length) {
        const std::string_view cut = std::string_view(file).substr(0, length);
        const RecoveryRecord back = DecodeRecovery(cut);
        ASSERT_FALSE(back.complete) << length;
        if (length < magicLength) {
            ASSERT_EQ(back.bytes, cut) << "not even the first line: taken as text";
        } else if (length >= textStart) {
            ASSERT_EQ(back.documentName, record.documentName) << length;
            ASSERT_FALSE(back.untitled) << length;
            ASSERT_EQ(back.bytes, record.bytes.substr(0, length - textStart)) << length;
        } else {
            ASSERT_TRUE(back.bytes.empty()) << length;
        }
    }
}

TEST(RecoveryRecord, DamagedFiles) {
    struct Row {
        const char* name;
        std::string file;
        std::string documentName;
        bool untitled;
        std::string bytes;
    };
    const std::string magic = "VARKO RECOVERY 1\n";
    const Row rows[] = {
        {"empty file", "", "", true, ""},
        {"not a recovery file: the bytes are the text", "a = 1\r\n\xff\x00z"s, "", true,
         "a = 1\r\n\xff\x00z"s},
        {"older header", "VARKO RECOVERY 0\nuntitled: 0\n", "", true, "VARKO RECOVERY 0\nuntitled: 0\n"},
        {"untitled flag not 0 or 1", magic + "untitled: 2\nname: 1\na\ntext: 0\n", "", true, ""},
        {"negative length", magic + "untitled: 0\nname: -1\na\ntext: 0\n", "", true, ""},
        {"length beyond the file", magic + "untitled: 0\nname: 99999999999999999999\na\n", "", true, ""},
        {"name not followed by a line break", magic + "untitled: 0\nname: 1\nab\ntext: 0\n", "", true, ""},
        {"text length missing", magic + "untitled: 0\nname: 1\na\nbody", "a", false, ""},
        {"text length not a number", magic + "untitled: 0\nname: 1\na\ntext: x\nbody", "a", false, ""},
        {"more text than announced", magic + "untitled: 0\nname: 1\na\ntext: 2\nabcd", "a", false, "abcd"},
    };
    for (const Row& row : rows) {
        const RecoveryRecord back = DecodeRecovery(row.file);
        EXPECT_EQ(back.documentName, row.documentName) << row.name;
        EXPECT_EQ(back.untitled, row.untitled) << row.name;
        EXPECT_EQ(back.bytes, row.bytes) << row.name;
        EXPECT_FALSE(back.complete) << row.name;
    }
}

TEST(RecoveryRecord, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(7);
    const std::string good = EncodeRecovery({"/x/a.odf", false, "abc\n", true});
    for (int round = 0; round < 2000; ++round) {
        std::string file = good;
        for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips)
            file[random() % file.size()] = static_cast<char>(random());
        const RecoveryRecord back = DecodeRecovery(file);
        if (back.complete)
            EXPECT_EQ(EncodeRecovery(back), file) << "a file read as whole is exactly what it says";
        else
            EXPECT_LE(back.bytes.size(), file.size());
    }
}

} // namespace
} // namespace varko::maintree
