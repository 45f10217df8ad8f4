// The commands of the main window: each hands its work to the documents or the editor.
#include "varko/maintree/documents.h"
#include "varko/maintree/editor/editor_pane.h"
#include "varko/maintree/script_hierarchy.h"
#include "varko/maintree/status_panels.h"
#include "varko/maintree/t_form1.h"

#include <QAction>
#include <QMenu>

namespace varko::maintree {

void TForm1::Bind(QAction* action, void (TForm1::*handler)()) {
    connect(action, &QAction::triggered, this,
            [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
}

void TForm1::BindNew(QAction* action) {
    connect(action, &QAction::triggered, this,
            [this, action] { Guarded([this, action] { tb_NewClick(action); }); });
}

void TForm1::ConnectCommands() {
    for (QAction* action : {m_toolBar.tb_New, m_menu.mi_New, m_menu.mi_newODF, m_menu.mi_newtt})
        BindNew(action);
    Bind(m_toolBar.tb_open, &TForm1::tb_openClick);
    Bind(m_menu.mi_Open, &TForm1::tb_openClick);
    Bind(m_toolBar.tb_Save, &TForm1::tb_SaveClick);
    Bind(m_menu.mi_Save, &TForm1::tb_SaveClick);
    Bind(m_menu.mi_SaveAs, &TForm1::mi_SaveAsClick);
    Bind(m_menu.mi_Bye, &TForm1::mi_ByeClick);
    Bind(m_menu.Undo1, &TForm1::Undo1Click);
    Bind(m_popup.Undo2, &TForm1::Undo1Click);
    Bind(m_menu.Redo1, &TForm1::Redo1Click);
    Bind(m_menu.Cut1, &TForm1::Cut1Click);
    Bind(m_popup.Cut2, &TForm1::Cut1Click);
    Bind(m_menu.Copy1, &TForm1::Copy1Click);
    Bind(m_popup.Copy2, &TForm1::Copy1Click);
    Bind(m_menu.Paste1, &TForm1::Paste1Click);
    Bind(m_popup.Paste2, &TForm1::Paste1Click);
    Bind(m_menu.SelectAll1, &TForm1::SelectAll1Click);
    Bind(m_popup.SelectAll2, &TForm1::SelectAll1Click);
}

void TForm1::ConnectEditor() {
    EditorPane* editor = m_layout.Editor;
    connect(editor, &EditorPane::cursorPositionChanged, this, [this] { EditorSelectionChange(); });
    connect(editor, &EditorPane::selectionChanged, this, [this] { EditorSelectionChange(); });
    connect(editor, &EditorPane::textChanged, this, [this] { EditorChange(); });
    connect(editor, &EditorPane::customContextMenuRequested, this,
            [this, editor](const QPoint& at) { m_popup.EditorPopup->popup(editor->mapToGlobal(at)); });
}

void TForm1::tb_NewClick(QObject* sender) {
    const bool techTree = sender != nullptr && sender == m_menu.mi_newtt;
    m_documents->New(techTree ? Documents::Kind::TechTree : Documents::Kind::Odf);
}

void TForm1::tb_openClick() {
    LoadFile(QString());
}

void TForm1::tb_SaveClick() {
    SaveFile(m_documents->CurrentFile());
}

void TForm1::mi_SaveAsClick() {
    m_documents->SaveAs();
}

void TForm1::mi_ByeClick() {
    close();
}

void TForm1::WMDropFiles(const QStringList& files) {
    // Only the first file of a drop is opened.
    if (files.isEmpty() || files.first().isEmpty())
        return;
    LoadFile(files.first());
}

void TForm1::LoadFile(const QString& fileName) {
    m_documents->LoadFile(fileName);
}

bool TForm1::SaveFile(const QString& fileName) {
    return m_documents->SaveFile(fileName);
}

bool TForm1::CheckFileSave() {
    return m_documents->CheckFileSave();
}

void TForm1::EditorSelectionChange() {
    ShowCaretStatus(*m_layout.Editor, *m_layout.StatusBar);
}

void TForm1::EditorChange() {
    m_hierarchy->EditorChange();
}

void TForm1::Undo1Click() {
    m_layout.Editor->undo();
}

void TForm1::Redo1Click() {
    m_layout.Editor->redo();
}

void TForm1::Cut1Click() {
    if (focusWidget() == m_layout.Editor)
        m_layout.Editor->cut();
}

void TForm1::Copy1Click() {
    if (focusWidget() == m_layout.Editor)
        m_layout.Editor->copy();
}

void TForm1::Paste1Click() {
    if (focusWidget() == m_layout.Editor)
        m_layout.Editor->paste();
}

void TForm1::SelectAll1Click() {
    if (focusWidget() == m_layout.Editor)
        m_layout.Editor->selectAll();
}

} // namespace varko::maintree
