#include "varko/maintree/object_browser.h"

#include "varko/compiler/data_files.h"
#include "varko/maintree/editor_pane.h"
#include "varko/maintree/property_library.h"
#include "varko/platform/desktop.h"

#include <QTextBlock>
#include <QTreeWidget>

namespace varko::maintree {

namespace {

QString FromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

ObjectBrowser::ObjectBrowser(QTreeWidget& treeObj, EditorPane& editor) : m_tree(treeObj), m_editor(editor) {}

void ObjectBrowser::Build(const std::string& appDir, platform::Desktop& desktop) {
    const PropertyLibrary library = ReadPropertyLibrary(appDir + compiler::kPropLibFile);
    if (!library.found)
        desktop.ShowError(QStringLiteral("Cannot access the property library \"proplib.txt\"!"));
    QList<QTreeWidgetItem*> kinds;
    for (const ObjectKind& kind : library.kinds) {
        auto* node = new QTreeWidgetItem(QStringList(FromBytes(kind.label)));
        for (const std::string& property : kind.properties)
            node->addChild(new QTreeWidgetItem(QStringList(FromBytes(property))));
        kinds << node;
    }
    m_tree.addTopLevelItems(kinds);
}

void ObjectBrowser::TreeObjDblClick() {
    const QTreeWidgetItem* chosen = m_tree.currentItem();
    if (chosen == nullptr || !chosen->isSelected() || chosen->parent() == nullptr)
        return;
    m_editor.setFocus();
    const int start = m_editor.SelStart();
    const int line = m_editor.LineOfPosition(start);
    // The whole line is taken, not the editor's first 4096 characters of it, so that writing it
    // back loses nothing of a long line.
    QString text = m_editor.document()->findBlockByNumber(line).text();
    const QString inserted = chosen->text(0) + QStringLiteral(" = ");
    text.insert(start - m_editor.StartOfLine(line), inserted);
    m_editor.ReplaceLine(line, text);
    m_editor.SetSelStart(start);
    m_editor.SetSelLength(static_cast<int>(inserted.size()));
}

} // namespace varko::maintree
