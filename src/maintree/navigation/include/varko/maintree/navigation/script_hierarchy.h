#pragma once

#include "varko/maintree/navigation/hierarchy_builder.h"
#include "varko/maintree/navigation/hierarchy_model.h"

#include <QList>
#include <QObject>
#include <QPersistentModelIndex>

#include <functional>

class QTreeView;

namespace varko::maintree {

class EditorPane;

// The script hierarchy shown in its tree: rebuilt off the GUI thread while the tree is on screen
// and the editor's text has changed; a click on a property node, or Return, selects its line.
class ScriptHierarchy : public QObject {
    Q_OBJECT

public:
    // The view takes this object's model; `currentFile` is asked for the document's name when a
    // build starts.
    ScriptHierarchy(QTreeView& tree, EditorPane& editor, std::function<QString()> currentFile,
                    QObject* parent = nullptr);
    // Waits for a running build while this object is still whole.
    ~ScriptHierarchy() override;

    // Each change of the editor's text.
    void noteTextChanged();
    // Each tick of the window's hierarchy timer: starts a build when the text changed, the tree
    // is on screen and no build runs.
    void buildIfChanged();
    // Selects the whole line of the selected property node.
    void selectChosenLine();

    // Set by a change, cleared once a build of the current text is in the tree.
    bool outdated() const { return m_dirty; }
    bool building() const { return m_builder.running(); }
    const HierarchyModel& model() const { return m_model; }

    // What the arrival of a build does: the outline goes into the tree, all expanded, nothing
    // selected, scrolled to the top. `generation` is the change count the build read.
    void show(quint64 generation, std::shared_ptr<const language::ScriptOutline> outline);

signals:
    void outlineShown();

private:
    void expandAgain(int keptRows);

    QTreeView& m_tree;
    EditorPane& m_editor;
    std::function<QString()> m_currentFile;
    HierarchyModel m_model;
    HierarchyBuilder m_builder;
    bool m_dirty = false;
    // Changes counted so that one made during a build is still built afterwards.
    quint64 m_changes = 0;
    std::shared_ptr<const language::ScriptOutline> m_retired;
    // Nodes the user collapsed since the last build.
    QList<QPersistentModelIndex> m_collapsed;
};

} // namespace varko::maintree
