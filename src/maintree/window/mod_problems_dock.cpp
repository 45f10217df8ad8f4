#include "varko/maintree/window/mod_problems_dock.h"

#include "varko/maintree/assist/mod_problems_view.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>

namespace varko::maintree {

namespace {

QHBoxLayout* BuildStatusRow(QLabel* summary, QProgressBar* progress, QPushButton* stop) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(summary, 1);
    row->addWidget(progress);
    row->addWidget(stop);
    return row;
}

} // namespace

ModProblemsDock::ModProblemsDock(QMainWindow& window)
    : QDockWidget(QStringLiteral("Mod Problems"), &window), m_tree(new maintree::ModProblemsView),
      m_progress(new QProgressBar), m_stop(new QPushButton(QStringLiteral("Stop"))), m_summary(new QLabel) {
    setObjectName(QStringLiteral("modProblemsDock"));
    setAccessibleName(QStringLiteral("Mod Problems"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_progress->setObjectName(QStringLiteral("modProgress"));
    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_stop->setObjectName(QStringLiteral("modStop"));
    m_stop->setAccessibleName(m_stop->text());
    m_summary->setObjectName(QStringLiteral("modSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(2, 2, 2, 2);
    column->addLayout(BuildStatusRow(m_summary, m_progress, m_stop));
    column->addWidget(m_tree, 1);
    setWidget(content);
    connect(m_stop, &QPushButton::clicked, this, &ModProblemsDock::stopRequested);
    m_progress->hide();
    m_stop->hide();
    window.addDockWidget(Qt::BottomDockWidgetArea, this);
    hide();
}

void ModProblemsDock::begin(const QString& summary) {
    m_tree->clear();
    m_summary->setText(summary);
    m_progress->setRange(0, 0);
    m_progress->show();
    m_stop->show();
    show();
    raise();
    m_tree->setFocus();
}

void ModProblemsDock::showProgress(int done, int total) {
    m_progress->setRange(0, total);
    m_progress->setValue(done);
}

void ModProblemsDock::finish(const QString& summary) {
    m_summary->setText(summary);
    m_progress->hide();
    m_stop->hide();
}

} // namespace varko::maintree
