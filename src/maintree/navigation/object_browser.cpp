#include "varko/maintree/navigation/object_browser.h"

#include "varko/compiler/data_files.h"
#include "varko/maintree/controls/return_key.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/navigation/property_library.h"
#include "varko/platform/desktop.h"

#include <QTextBlock>
#include <QTreeWidget>

namespace varko::maintree {

namespace {

QString FromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

ObjectBrowser::ObjectBrowser(QTreeWidget& tree, EditorPane& editor, QObject* parent)
    : QObject(parent), m_tree(tree), m_editor(editor) {
    connect(&m_tree, &QTreeWidget::itemDoubleClicked, this, &ObjectBrowser::insertChosenProperty);
    connect(new ReturnKey(&m_tree), &ReturnKey::pressed, this, &ObjectBrowser::insertChosenProperty);
}

void ObjectBrowser::fill(const std::string& appDir, platform::Desktop& desktop) {
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

void ObjectBrowser::insertChosenProperty() {
    const QTreeWidgetItem* chosen = m_tree.currentItem();
    if (chosen == nullptr || !chosen->isSelected() || chosen->parent() == nullptr)
        return;
    m_editor.setFocus();
    const int start = m_editor.selStart();
    const int line = m_editor.lineOfPosition(start);
    // The whole line is taken, not the editor's first 4096 characters of it, so that writing it
    // back loses nothing of a long line.
    QString text = m_editor.document()->findBlockByNumber(line).text();
    const QString inserted = chosen->text(0) + QStringLiteral(" = ");
    text.insert(start - m_editor.startOfLine(line), inserted);
    m_editor.replaceLine(line, text);
    m_editor.setSelStart(start);
    m_editor.setSelLength(static_cast<int>(inserted.size()));
}

} // namespace varko::maintree
