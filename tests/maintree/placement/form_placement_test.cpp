#include "varko/maintree/placement/form_placement.h"
#include "varko/maintree/placement/qt_placement_window.h"
#include "varko/textrules/profile_file.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace varko::maintree {

bool operator==(const PlacementRect& a, const PlacementRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
bool operator==(const MinMaxPositions& a, const MinMaxPositions& b) {
    return a.minX == b.minX && a.minY == b.minY && a.maxX == b.maxX && a.maxY == b.maxY;
}
void PrintTo(const PlacementRect& r, std::ostream* out) {
    *out << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

namespace {

// A window that records what the store does to it and takes on what is applied.
class FakeWindow : public PlacementWindow {
public:
    struct Placed {
        int flags;
        MinMaxPositions positions;
        PlacementRect normal;
    };

    int flags() const override { return flagValue; }
    int showCmd() const override { return showCommand; }
    MinMaxPositions positions() const override { return minMax; }
    PlacementRect normalRect() const override { return normal; }
    bool resizable() const override { return canResize; }
    bool applicationMinimized() const override { return appMinimized; }
    ScreenMetrics screen() const override { return metrics; }
    int frameWidth() const override { return 4; }
    int frameHeight() const override { return 3; }

    void setPlacement(int newFlags, const MinMaxPositions& newPositions,
                      const PlacementRect& newNormal) override {
        placed = Placed{newFlags, newPositions, newNormal};
        flagValue = newFlags;
        minMax = newPositions;
        normal = newNormal;
    }
    void setShowState(ShowState state) override {
        states.push_back(state);
        showCommand = state == ShowState::Maximized   ? kShowMaximized
                      : state == ShowState::Minimized ? kShowMinimized
                                                      : kShowNormal;
    }
    void setMaximizedPosition(int x, int y) override {
        minMax.maxX = x;
        minMax.maxY = y;
    }

    int flagValue = 0;
    int showCommand = kShowNormal;
    MinMaxPositions minMax;
    PlacementRect normal{100, 80, 644, 455};
    bool canResize = true;
    bool appMinimized = false;
    ScreenMetrics metrics{1024, 768, 96};

    std::optional<Placed> placed;
    std::vector<ShowState> states;
};

class FormPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string IniPath() const {
        return QFile::encodeName(m_dir.filePath(QStringLiteral("prefs.ini"))).toStdString();
    }
    void WriteIni(const char* content) const {
        QFile file(QString::fromStdString(IniPath()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    FormPlacement MakeStore(FakeWindow& window) {
        return FormPlacement(window, IniPath(),
                             [this](const std::exception& e) { m_failures.push_back(e.what()); });
    }
    // Every key of [Window] with its value, in file order.
    std::vector<std::pair<std::string, std::string>> WindowSection() const {
        const textrules::TIniFile ini(IniPath());
        textrules::LineList keys;
        ini.ListKeys("Window", keys);
        std::vector<std::pair<std::string, std::string>> entries;
        for (const std::string& key : keys)
            entries.emplace_back(key, ini.ReadText("Window", key, "?"));
        return entries;
    }
    std::string Value(const char* key) const {
        return textrules::TIniFile(IniPath()).ReadText("Window", key, "");
    }

    QTemporaryDir m_dir;
    std::vector<std::string> m_failures;
};

TEST_F(FormPlacementTest, SaveWritesEveryKeyInItsFormatAndOrder) {
    FakeWindow window;
    window.flagValue = 2;
    FormPlacement store = MakeStore(window);
    store.restore();
    store.saveOnClose(true);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"FormVersion", "0"},
        {"Flags", "2"},
        {"ShowCmd", "1"},
        {"PixelsPerInch", "96"},
        {"MinMaxPos(1024x768)", "-1,-1,-4,-3"},
        {"MinMaxPos", "-1,-1,-4,-3"},
        {"NormPos(1024x768)", "100,80,644,455"},
        {"NormPos", "100,80,644,455"},
        {"Visible", "0"},
    };
    EXPECT_EQ(WindowSection(), expected);
    EXPECT_TRUE(store.saved());
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(FormPlacementTest, PlacementComesBackInTheNextRun) {
    FakeWindow first;
    FormPlacement firstStore = MakeStore(first);
    firstStore.restore();
    first.normal = {10, 20, 610, 420};
    first.showCommand = kShowMaximized;
    firstStore.saveOnClose(true);

    FakeWindow next;
    FormPlacement nextStore = MakeStore(next);
    nextStore.restore();
    ASSERT_TRUE(next.placed.has_value());
    EXPECT_EQ(next.placed->normal, (PlacementRect{10, 20, 610, 420}));
    EXPECT_EQ(next.placed->positions, (MinMaxPositions{-1, -1, -4, -3}));
    EXPECT_EQ(next.states, std::vector<ShowState>{ShowState::Maximized});
    EXPECT_TRUE(nextStore.restored());
}

TEST_F(FormPlacementTest, RestoreRules) {
    const PlacementRect current{100, 80, 644, 455};
    const struct {
        const char* name;
        const char* ini;
        bool resizable;
        std::optional<PlacementRect> rect;
        std::vector<ShowState> states;
    } rows[] = {
        {"nothing saved", "", true, std::nullopt, {ShowState::Normal}},
        {"form version below 0",
         "[Window]\nFormVersion=-1\nNormPos=1,2,300,400\nShowCmd=3\n",
         true,
         std::nullopt,
         {}},
        {"key for this screen size first",
         "[Window]\nNormPos(1024x768)=10,20,300,400\nNormPos=1,2,3,4\n",
         true,
         PlacementRect{10, 20, 300, 400},
         {ShowState::Normal}},
        {"plain key for another screen size",
         "[Window]\nNormPos(800x600)=5,5,50,50\nNormPos=1,2,300,400\n",
         true,
         PlacementRect{1, 2, 300, 400},
         {ShowState::Normal}},
        {"plain key when the sized one is empty",
         "[Window]\nNormPos(1024x768)=\nNormPos=1, 2 ,300,400\n",
         true,
         PlacementRect{1, 2, 300, 400},
         {ShowState::Normal}},
        {"other pixels per inch keep the show state",
         "[Window]\nNormPos=1,2,300,400\nPixelsPerInch=120\nShowCmd=3\n",
         true,
         std::nullopt,
         {ShowState::Maximized}},
        {"same pixels per inch",
         "[Window]\nNormPos=1,2,300,400\nPixelsPerInch=96\nShowCmd=2\n",
         true,
         PlacementRect{1, 2, 300, 400},
         {ShowState::Minimized}},
        {"missing numbers keep the current ones",
         "[Window]\nNormPos=7,8\n",
         true,
         PlacementRect{7, 8, 644, 455},
         {ShowState::Normal}},
        {"malformed number keeps the current one",
         "[Window]\nNormPos=7,x,500,600\n",
         true,
         PlacementRect{7, 80, 500, 600},
         {ShowState::Normal}},
        {"left not less than right",
         "[Window]\nNormPos=300,0,300,400\n",
         true,
         std::nullopt,
         {ShowState::Normal}},
        {"fixed border keeps the size",
         "[Window]\nNormPos=10,20,30,40\n",
         false,
         PlacementRect{10, 20, 554, 395},
         {ShowState::Normal}},
        {"min and max positions alone", "[Window]\nMinMaxPos=1,2\n", true, current, {ShowState::Normal}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteIni(row.ini);
        FakeWindow window;
        window.canResize = row.resizable;
        FormPlacement store = MakeStore(window);
        store.restore();
        EXPECT_EQ(window.placed.has_value(), row.rect.has_value());
        if (window.placed && row.rect) {
            EXPECT_EQ(window.placed->normal, *row.rect);
        }
        EXPECT_EQ(window.states, row.states);
        EXPECT_TRUE(store.restored());
        // The maximized frame goes just outside the screen, whatever was found.
        EXPECT_EQ(window.minMax.maxX, -4);
        EXPECT_EQ(window.minMax.maxY, -3);
    }
}

TEST_F(FormPlacementTest, FlagsAndPositionsAreRestoredWithTheRectangle) {
    WriteIni("[Window]\nFlags=2\nMinMaxPos=5\nNormPos=1,2,300,400\n");
    FakeWindow window;
    FormPlacement store = MakeStore(window);
    store.restore();
    ASSERT_TRUE(window.placed.has_value());
    EXPECT_EQ(window.placed->flags, 2);
    // Numbers missing from MinMaxPos read as 0.
    EXPECT_EQ(window.placed->positions, (MinMaxPositions{5, 0, 0, 0}));
}

TEST_F(FormPlacementTest, ShowCommandsMapToShowStates) {
    const struct {
        const char* value;
        ShowState state;
    } rows[] = {{"1", ShowState::Normal},    {"5", ShowState::Normal},    {"9", ShowState::Normal},
                {"2", ShowState::Minimized}, {"6", ShowState::Minimized}, {"7", ShowState::Minimized},
                {"3", ShowState::Maximized}, {"0", ShowState::Normal},    {"4", ShowState::Normal},
                {"8", ShowState::Normal},    {"x", ShowState::Normal}};
    for (const auto& row : rows) {
        WriteIni((std::string("[Window]\nShowCmd=") + row.value + "\n").c_str());
        FakeWindow window;
        FormPlacement store = MakeStore(window);
        store.restore();
        EXPECT_EQ(window.states, std::vector<ShowState>{row.state}) << row.value;
    }
}

TEST_F(FormPlacementTest, SavesAtMostOncePerRun) {
    using Steps = void (*)(FormPlacement&, FakeWindow&);
    const struct {
        const char* name;
        const char* ini;
        Steps steps;
        std::map<std::string, std::string> values;
    } rows[] = {
        {"close allowed, then destroyed",
         "",
         [](FormPlacement& store, FakeWindow& window) {
             store.restore();
             window.normal = {1, 2, 301, 202};
             store.saveOnClose(true);
             window.normal = {9, 9, 99, 99};
             store.saveOnDestroy();
         },
         {{"NormPos", "1,2,301,202"}, {"Visible", "0"}}},
        {"close refused, then destroyed",
         "",
         [](FormPlacement& store, FakeWindow&) {
             store.restore();
             store.saveOnClose(false);
             store.saveOnDestroy();
         },
         {{"NormPos", "100,80,644,455"}, {"Visible", "1"}}},
        {"never restored",
         "",
         [](FormPlacement& store, FakeWindow&) {
             store.saveOnClose(true);
             store.saveOnDestroy();
         },
         {{"NormPos", ""}, {"Visible", ""}}},
        {"switched off",
         "[Window]\nNormPos=1,2,300,400\nShowCmd=3\n",
         [](FormPlacement& store, FakeWindow& window) {
             store.setActive(false);
             store.restore();
             EXPECT_FALSE(window.placed.has_value());
             EXPECT_TRUE(window.states.empty());
             EXPECT_FALSE(store.restored());
             store.saveOnClose(true);
             store.saveOnDestroy();
         },
         {{"NormPos", "1,2,300,400"}, {"Visible", ""}}},
        {"form version below 0 is saved as 0",
         "[Window]\nFormVersion=-5\n",
         [](FormPlacement& store, FakeWindow&) {
             store.restore();
             store.saveOnClose(true);
         },
         {{"FormVersion", "0"}, {"Visible", "0"}}},
        {"application minimized",
         "",
         [](FormPlacement& store, FakeWindow& window) {
             store.restore();
             window.appMinimized = true;
             store.saveOnClose(true);
         },
         {{"ShowCmd", "2"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteIni(row.ini);
        FakeWindow window;
        FormPlacement store = MakeStore(window);
        row.steps(store, window);
        for (const auto& [key, value] : row.values)
            EXPECT_EQ(Value(key.c_str()), value) << key;
    }
}

TEST_F(FormPlacementTest, AFailedSaveIsReportedOnceAndNotRetried) {
    FakeWindow window;
    const std::string path =
        QFile::encodeName(m_dir.filePath(QStringLiteral("gone/prefs.ini"))).toStdString();
    FormPlacement store(window, path, [this](const std::exception& e) { m_failures.push_back(e.what()); });
    store.restore();
    store.saveOnClose(true);
    store.saveOnDestroy();
    EXPECT_EQ(m_failures, std::vector<std::string>{"Unable to write to " + path});
}

TEST_F(FormPlacementTest, QtWindowRoundTrip) {
    QMainWindow first;
    QtPlacementWindow firstWindow(first);
    FormPlacement firstStore(firstWindow, IniPath(),
                             [this](const std::exception& e) { m_failures.push_back(e.what()); });
    first.setGeometry(120, 90, 400, 250);
    firstStore.restore();
    first.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    first.setGeometry(130, 95, 380, 260);
    firstStore.saveOnClose(true);
    first.close();
    EXPECT_EQ(Value("NormPos"), "130,95,510,355");
    EXPECT_EQ(Value("ShowCmd"), "1");

    QMainWindow next;
    next.resize(200, 100);
    QtPlacementWindow nextWindow(next);
    FormPlacement nextStore(nextWindow, IniPath(),
                            [this](const std::exception& e) { m_failures.push_back(e.what()); });
    nextStore.restore();
    next.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&next));
    EXPECT_EQ(next.geometry(), QRect(130, 95, 380, 260));
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(FormPlacementTest, QtWindowComesBackMaximizedOrMinimized) {
    const struct {
        const char* showCmd;
        Qt::WindowState state;
    } rows[] = {{"3", Qt::WindowMaximized}, {"2", Qt::WindowMinimized}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.showCmd);
        WriteIni((std::string("[Window]\nShowCmd=") + row.showCmd + "\nNormPos=10,10,410,310\n").c_str());
        QMainWindow window;
        QtPlacementWindow placementWindow(window);
        FormPlacement store(placementWindow, IniPath(), nullptr);
        store.restore();
        // A minimized window first comes up normal; the window itself is not shown here.
        EXPECT_EQ(window.isMaximized(), row.state == Qt::WindowMaximized);
        EXPECT_FALSE(window.isMinimized());
        EXPECT_TRUE(QTest::qWaitFor([&] { return (window.windowState() & row.state) != 0; }, 5000));
        EXPECT_EQ(placementWindow.showCmd(),
                  row.state == Qt::WindowMaximized ? kShowMaximized : kShowMinimized);
        EXPECT_EQ(window.normalGeometry(), QRect(10, 10, 400, 300));
    }
}

} // namespace

} // namespace varko::maintree
