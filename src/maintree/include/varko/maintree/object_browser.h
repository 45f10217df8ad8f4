#pragma once

#include <string>

class QTreeWidget;

namespace varko::platform {
class Desktop;
}

namespace varko::maintree {

class EditorPane;

// TreeObj: the kinds of object of the property library with their property names. A property
// name chosen in the tree is written into the editor at the caret.
class ObjectBrowser {
public:
    ObjectBrowser(QTreeWidget& treeObj, EditorPane& editor);

    // Fills the tree from "proplib.txt" in the program directory (which ends with a separator).
    // A missing file is reported through the desktop's error box and leaves the tree empty.
    void Build(const std::string& appDir, platform::Desktop& desktop);

    // A double-click on TreeObj: inserts "name = " at the start of the editor's selection and
    // selects what it inserted. A section's node inserts nothing.
    void TreeObjDblClick();

private:
    QTreeWidget& m_tree;
    EditorPane& m_editor;
};

} // namespace varko::maintree
