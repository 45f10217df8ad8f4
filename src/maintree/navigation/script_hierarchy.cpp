#include "varko/maintree/navigation/script_hierarchy.h"

#include "varko/maintree/controls/return_key.h"
#include "varko/maintree/editor/editor_pane.h"

#include <QItemSelectionModel>
#include <QTreeView>

#include <utility>

namespace varko::maintree {

ScriptHierarchy::ScriptHierarchy(QTreeView& tree, EditorPane& editor, std::function<QString()> currentFile,
                                 QObject* parent)
    : QObject(parent), m_tree(tree), m_editor(editor), m_currentFile(std::move(currentFile)) {
    // A QTreeWidget keeps its own model and cannot show this one.
    Q_ASSERT_X(!m_tree.inherits("QTreeWidget"), "ScriptHierarchy", "the tree must be a plain QTreeView");
    // Equal row heights let the view lay out a large expanded tree without measuring each row.
    m_tree.setUniformRowHeights(true);
    m_tree.setModel(&m_model);
    connect(&m_builder, &HierarchyBuilder::built, this, &ScriptHierarchy::show);
    connect(&m_editor, &EditorPane::textChanged, this, &ScriptHierarchy::noteTextChanged);
    connect(&m_tree, &QTreeView::clicked, this, &ScriptHierarchy::selectChosenLine);
    connect(new ReturnKey(&m_tree), &ReturnKey::pressed, this, &ScriptHierarchy::selectChosenLine);
    connect(&m_tree, &QTreeView::collapsed, this,
            [this](const QModelIndex& node) { m_collapsed << QPersistentModelIndex(node); });
}

ScriptHierarchy::~ScriptHierarchy() {
    m_builder.close();
}

void ScriptHierarchy::noteTextChanged() {
    m_dirty = true;
    ++m_changes;
}

void ScriptHierarchy::buildIfChanged() {
    if (m_builder.running() || !m_dirty || m_tree.isHidden())
        return;
    m_builder.start(TakeHierarchySnapshot(*m_editor.document(), m_currentFile(), m_changes),
                    std::move(m_retired));
}

void ScriptHierarchy::show(quint64 generation, std::shared_ptr<const language::ScriptOutline> outline) {
    const bool first = m_model.outline() == nullptr;
    const int keptRows = m_model.propertyRows();
    m_retired = m_model.setOutline(std::move(outline));
    // Every build shows the tree as new: all expanded, nothing selected, scrolled to the top.
    if (first) {
        m_tree.expandAll();
    } else {
        expandAgain(keptRows);
    }
    m_tree.selectionModel()->clear();
    m_tree.scrollToTop();
    // A change made while the build ran keeps the flag, so the next tick builds again.
    if (generation == m_changes)
        m_dirty = false;
    emit outlineShown();
}

void ScriptHierarchy::expandAgain(int keptRows) {
    // Rows kept from the last build are still expanded unless the user collapsed them. The view
    // lays itself out once afterwards, so these calls only note what is to be expanded.
    const QModelIndex root = m_model.index(0, 0);
    m_tree.expand(root);
    for (const QPersistentModelIndex& node : std::exchange(m_collapsed, {}))
        m_tree.expand(node);
    for (int row = keptRows; row < m_model.propertyRows(); ++row)
        m_tree.expand(m_model.index(row, 0, root));
}

void ScriptHierarchy::selectChosenLine() {
    const QModelIndex current = m_tree.currentIndex();
    if (!current.isValid() || !m_tree.selectionModel()->isSelected(current))
        return;
    const int line = m_model.lineTag(current);
    // The text may have become shorter since the build; the editor is then left alone.
    if (line < 0 || line >= m_editor.lineCount())
        return;
    m_editor.setFocus();
    m_editor.setSelStart(m_editor.startOfLine(line));
    m_editor.setSelLength(static_cast<int>(m_editor.lineText(line).size()));
}

} // namespace varko::maintree
