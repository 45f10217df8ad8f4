#pragma once

#include <QObject>

#include <string>

class QTreeWidget;

namespace varko::platform {
class Desktop;
}

namespace varko::maintree {

class EditorPane;

// The object browser's tree: the kinds of object of the property library with their property
// names. A property name chosen in the tree, by a double-click or Return, is written into the
// editor at the caret.
class ObjectBrowser : public QObject {
    Q_OBJECT

public:
    ObjectBrowser(QTreeWidget& tree, EditorPane& editor, QObject* parent = nullptr);

    // Fills the tree from "proplib.txt" in the program directory (which ends with a separator).
    // A missing file is reported through the desktop's error box and leaves the tree empty.
    void fill(const std::string& appDir, platform::Desktop& desktop);

    // Inserts "name = " at the start of the editor's selection and selects what it inserted. A
    // section's node inserts nothing.
    void insertChosenProperty();

private:
    QTreeWidget& m_tree;
    EditorPane& m_editor;
};

} // namespace varko::maintree
