#include "varko/maintree/assist/check_mod_job.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

namespace varko::maintree {
namespace {

using compiler::Finding;

class CheckingTheMod : public ::testing::Test {
protected:
    CheckingTheMod() {
        write("a.odf", "bad one\r\ngood\nbad two");
        write("b.ODF", "good");
        write("c.tt", "bad tree");
        write("notes.txt", "bad but never checked");
    }
    void write(const char* name, const char* text) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    std::vector<std::string> dirs() const { return {m_dir.path().toStdString()}; }

    // Every line that starts with "bad" is a finding that quotes the line.
    static CheckOutcome BadLines(const textrules::LineList& lines) {
        CheckOutcome outcome;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].starts_with("bad"))
                outcome.findings.push_back({static_cast<int>(i + 1), 1, "M1", {lines[i]}});
        }
        return outcome;
    }

    static std::vector<ModFileResult> Results(const QSignalSpy& spy) {
        std::vector<ModFileResult> all;
        for (const QVariantList& signal : spy) {
            for (ModFileResult& result : signal.at(0).value<std::vector<ModFileResult>>())
                all.push_back(std::move(result));
        }
        return all;
    }

    QTemporaryDir m_dir;
};

TEST_F(CheckingTheMod, ChecksEveryOdfAndTechTreeFileAndReportsProgress) {
    std::vector<std::string> checked;
    CheckModJob job([&](const textrules::LineList& lines, const std::string& file, const std::atomic<bool>&) {
        checked.push_back(file);
        return BadLines(lines);
    });
    QSignalSpy results(&job, &CheckModJob::filesChecked);
    QSignalSpy progress(&job, &CheckModJob::progress);
    QSignalSpy finished(&job, &CheckModJob::finished);
    ASSERT_TRUE(job.start(dirs()));
    EXPECT_FALSE(job.start(dirs()));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_FALSE(job.isRunning());
    EXPECT_EQ(checked, (std::vector<std::string>{path("a.odf").toStdString(), path("b.ODF").toStdString(),
                                                 path("c.tt").toStdString()}));
    ASSERT_GE(progress.count(), 2);
    EXPECT_EQ(progress.first(), (QVariantList{0, 3}));
    EXPECT_EQ(progress.last(), (QVariantList{3, 3}));
    const std::vector<ModFileResult> all = Results(results);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].path, path("a.odf").toStdString());
    EXPECT_EQ(all[0].findings, (std::vector<Finding>{{1, 1, "M1", {"bad one"}}, {3, 1, "M1", {"bad two"}}}));
    EXPECT_EQ(all[1].path, path("c.tt").toStdString());
    EXPECT_FALSE(all[1].unreadable);
}

TEST_F(CheckingTheMod, AFileGoneSinceTheListingIsReportedUnreadable) {
    CheckModJob job([&](const textrules::LineList& lines, const std::string& file, const std::atomic<bool>&) {
        if (file == path("a.odf").toStdString())
            QFile::remove(path("b.ODF"));
        return BadLines(lines);
    });
    QSignalSpy results(&job, &CheckModJob::filesChecked);
    QSignalSpy finished(&job, &CheckModJob::finished);
    ASSERT_TRUE(job.start(dirs()));
    ASSERT_TRUE(finished.wait(5000));
    const std::vector<ModFileResult> all = Results(results);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].path, path("b.ODF").toStdString());
    EXPECT_TRUE(all[1].unreadable);
    EXPECT_TRUE(all[1].findings.empty());
    EXPECT_EQ(all[2].path, path("c.tt").toStdString());
}

TEST_F(CheckingTheMod, StoppingKeepsWhatTheFinishedFilesFound) {
    std::atomic<int> calls = 0;
    std::atomic<bool> inside = false;
    // The second file's check runs until it is asked to stop, as a long file would.
    CheckModJob job(
        [&](const textrules::LineList& lines, const std::string& file, const std::atomic<bool>& stop) {
            ++calls;
            if (file == path("b.ODF").toStdString()) {
                inside = true;
                while (!stop.load())
                    std::this_thread::yield();
            }
            return BadLines(lines);
        });
    QSignalSpy results(&job, &CheckModJob::filesChecked);
    QSignalSpy finished(&job, &CheckModJob::finished);
    ASSERT_TRUE(job.start(dirs()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return inside.load(); }, 5000));
    job.stop();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(finished.at(0).at(0).toBool());
    EXPECT_EQ(calls.load(), 2);
    const std::vector<ModFileResult> all = Results(results);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].path, path("a.odf").toStdString());
    EXPECT_EQ(all[0].findings.size(), 2u);
    EXPECT_TRUE(job.start(dirs())); // ready for another run; the destructor stops this one
}

TEST_F(CheckingTheMod, ACheckThatCannotRunEndsTheJobWithItsText) {
    std::atomic<int> calls = 0;
    CheckModJob job([&](const textrules::LineList&, const std::string&, const std::atomic<bool>&) {
        ++calls;
        return CheckOutcome{{}, "Cannot access the declarations file \"declarations.txt\"!"};
    });
    QSignalSpy failed(&job, &CheckModJob::failed);
    QSignalSpy finished(&job, &CheckModJob::finished);
    ASSERT_TRUE(job.start(dirs()));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(calls.load(), 1);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.at(0).at(0).toString(),
              QStringLiteral("Cannot access the declarations file \"declarations.txt\"!"));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
}

} // namespace
} // namespace varko::maintree
