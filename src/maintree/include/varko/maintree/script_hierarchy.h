#pragma once

#include "varko/maintree/hierarchy_builder.h"
#include "varko/maintree/hierarchy_model.h"

#include <QList>
#include <QObject>
#include <QPersistentModelIndex>

#include <functional>

class QTreeView;

namespace varko::maintree {

class EditorPane;

// The script hierarchy shown in TreeHie: rebuilt off the GUI thread while the tree is on
// screen and the text has changed, and a click on a property node selects its line.
class ScriptHierarchy : public QObject {
    Q_OBJECT

public:
    // The view takes this object's model; `currentFile` is asked for the document's name when a
    // build starts.
    ScriptHierarchy(QTreeView& treeHie, EditorPane& editor, std::function<QString()> currentFile,
                    QObject* parent = nullptr);
    // Waits for a running build while this object is still whole.
    ~ScriptHierarchy() override;

    // Every change of the editor's text.
    void EditorChange();
    // Every tick of Timer1: starts a build when the text changed, the tree is on screen and no
    // build runs.
    void Timer1Timer();
    // A click on TreeHie: selects the whole line of the selected property node.
    void TreeHieDblClick();

    // Set by a change, cleared once a build of the current text is in the tree.
    bool HierarchyDirty() const { return m_dirty; }
    bool Building() const { return m_builder.Running(); }
    const HierarchyModel& Model() const { return m_model; }

    // What the arrival of a build does: the outline goes into the tree, all expanded, nothing
    // selected, scrolled to the top. `generation` is the change count the build read.
    void Show(quint64 generation, std::shared_ptr<const ScriptOutline> outline);

signals:
    void OutlineShown();

private:
    void ExpandAgain(int keptRows);

    QTreeView& m_tree;
    EditorPane& m_editor;
    std::function<QString()> m_currentFile;
    HierarchyModel m_model;
    HierarchyBuilder m_builder;
    bool m_dirty = false;
    // Changes counted so that one made during a build is still built afterwards.
    quint64 m_changes = 0;
    std::shared_ptr<const ScriptOutline> m_retired;
    // Nodes the user collapsed since the last build.
    QList<QPersistentModelIndex> m_collapsed;
};

} // namespace varko::maintree
