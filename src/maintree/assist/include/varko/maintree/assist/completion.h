#pragma once

#include "varko/maintree/assist/completion_model.h"
#include "varko/language/completion_context.h"
#include "varko/language/file_sources.h"
#include "varko/language/property_catalog.h"
#include "varko/maintree/worker/worker_thread.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <future>
#include <vector>

class QAbstractItemView;
class QCompleter;
class QKeyEvent;
class QPlainTextEdit;

namespace varko::maintree {

struct CompletionSources {
    // Called on a worker: it must not touch the GUI (a PropertyCatalog that is not changed is safe).
    std::function<std::vector<language::PropertyEntry>()> properties;
    language::TypeOfProperty typeOf;
    language::FileSources files;
    std::function<QString()> documentPath;
};

// A list of property names or file names at the caret ("Completions"). It opens on complete()
// and by itself once two characters of a name are typed at the start of a line, or while the
// value of a file-typed property is typed. Return or Tab puts the chosen text in place of what
// was typed, Escape closes the list.
class Completion : public QObject {
    Q_OBJECT

public:
    static constexpr int kAutomaticPrefix = 2;

    Completion(QPlainTextEdit* editor, CompletionSources sources, QObject* parent = nullptr);

    // The Complete command: offers whatever fits the caret, even before anything is typed.
    void complete();
    // The property names are read and sorted on a worker, at construction and again on this call
    // (when declarations.txt or proplib.txt changed); a list asked for sooner waits for them.
    void reloadProperties();

    QAbstractItemView* popup() const;
    bool isPopupVisible() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    language::CompletionContext contextAtCaret() const;
    void afterKey(bool typed);
    bool wantsAutomatically(const language::CompletionContext& context) const;
    bool offer(const language::CompletionContext& context);
    CompletionModel::Items itemsFor(language::CompletionTarget target);
    bool handlePopupKey(QKeyEvent& key);
    void insert(const QString& text);
    void hidePopup();

    QPointer<QPlainTextEdit> m_editor;
    CompletionSources m_sources;
    QCompleter* m_completer = nullptr;
    CompletionModel* m_model = nullptr;
    std::shared_future<CompletionModel::Items> m_properties;
    language::CompletionContext m_shown;
    // Declared last, so it is destroyed first: the worker ends before the members above go.
    maintree::WorkerThread m_loader;
};

} // namespace varko::maintree
