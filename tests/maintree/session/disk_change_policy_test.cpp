#include "session_fixture.h"
#include "varko/platform/scripted_desktop.h"
#include "varko/maintree/session/disk_change_policy.h"

namespace varko::maintree {
namespace {

using platform::ScriptedDesktop;

// Records what the policy asks of the document.
class RecordingDocument : public DiskChangePolicy::Document {
public:
    bool modified() const override { return m_modified; }
    int caretLine() const override { return m_line; }
    void reload(int line) override {
        m_reloads.push_back(line);
        m_modified = false;
    }
    void showStatus(const QString& text) override { m_status << text; }

    bool m_modified = false;
    int m_line = 7;
    std::vector<int> m_reloads;
    QStringList m_status;
};

constexpr int kReload = 0;
constexpr int kKeepMine = 1;
constexpr int kNoAnswer = -2;

TEST(DiskChangePolicy, ChangedFile) {
    const QString question =
        "The file /x/a.odf changed on disk. Reload it and lose your changes, or keep your version?";
    struct Row {
        const char* name;
        bool modified;
        int answer;
        bool asked;
        std::vector<int> reloads;
        bool modifiedAfter;
    };
    const Row rows[] = {
        {"unmodified: reloaded at once on its line", false, kNoAnswer, false, {7}, false},
        {"modified, Reload", true, kReload, true, {7}, false},
        {"modified, Keep Mine", true, kKeepMine, true, {}, true},
        {"modified, box closed", true, -1, true, {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedDesktop desktop;
        if (row.answer != kNoAnswer)
            desktop.QueueChoice(row.answer);
        RecordingDocument document;
        document.m_modified = row.modified;
        DiskChangePolicy policy(document, desktop);
        policy.fileChanged("/x/a.odf");
        EXPECT_EQ(document.m_reloads, row.reloads);
        EXPECT_EQ(document.m_modified, row.modifiedAfter);
        EXPECT_TRUE(document.m_status.isEmpty());
        const auto boxes = desktop.Of(ScriptedDesktop::Kind::Choose);
        ASSERT_EQ(boxes.size(), row.asked ? 1u : 0u);
        if (row.asked) {
            EXPECT_EQ(boxes[0].text, question);
            EXPECT_EQ(boxes[0].buttons, QStringList({"Reload", "Keep Mine"}));
            EXPECT_EQ(boxes[0].defaultButton, kKeepMine);
        }
    }
}

TEST(DiskChangePolicy, DeletionIsReportedOnceAndTouchesNothing) {
    const QString notice = "The file /x/a.odf was deleted from disk. Its text stays in the editor.";
    for (bool modified : {false, true}) {
        SCOPED_TRACE(modified ? "modified" : "unmodified");
        ScriptedDesktop desktop;
        RecordingDocument document;
        document.m_modified = modified;
        DiskChangePolicy policy(document, desktop);
        policy.fileDeleted("/x/a.odf");
        policy.fileDeleted("/x/a.odf");
        EXPECT_EQ(document.m_status, QStringList{notice});
        EXPECT_EQ(document.m_modified, modified);
        EXPECT_TRUE(document.m_reloads.empty());
        EXPECT_TRUE(desktop.History().empty());
        document.m_modified = false;
        policy.fileChanged("/x/a.odf"); // written again by another program
        policy.fileDeleted("/x/a.odf");
        EXPECT_EQ(document.m_status, QStringList({notice, notice})) << "a second deletion is news again";
    }
}

} // namespace
} // namespace varko::maintree
