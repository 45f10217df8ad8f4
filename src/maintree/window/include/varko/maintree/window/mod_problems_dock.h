#pragma once

#include <QDockWidget>

class QLabel;
class QMainWindow;
class QProgressBar;
class QPushButton;

namespace varko::maintree {
class ModProblemsView;
}

namespace varko::maintree {

// "Mod Problems" along the bottom of the window: what a check of the whole mod or a search for
// references found, in a tree, with the search's progress, a "Stop" button and a line that says
// how it ended. Hidden until the first search.
class ModProblemsDock : public QDockWidget {
    Q_OBJECT

public:
    explicit ModProblemsDock(QMainWindow& window);

    maintree::ModProblemsView* tree() const { return m_tree; }
    QProgressBar* progress() const { return m_progress; }
    QPushButton* stopButton() const { return m_stop; }
    QLabel* summary() const { return m_summary; }

    // Empties the tree, shows the dock with the progress and the Stop button, and puts the keyboard
    // focus in the tree.
    void begin(const QString& summary);
    void showProgress(int done, int total);
    // Hides the progress and the Stop button.
    void finish(const QString& summary);

signals:
    void stopRequested();

private:
    maintree::ModProblemsView* m_tree;
    QProgressBar* m_progress;
    QPushButton* m_stop;
    QLabel* m_summary;
};

} // namespace varko::maintree
