#pragma once

#include "varko/assist/completion_context.h"
#include "varko/assist/completion_model.h"
#include "varko/assist/game_files.h"
#include "varko/assist/property_catalog.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractItemView;
class QCompleter;
class QKeyEvent;
class QPlainTextEdit;

namespace varko::assist {

struct CompletionSources {
    std::function<std::vector<PropertyEntry>()> properties;
    TypeOfProperty typeOf;
    GameFiles files;
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
    // The property names are read once; call this when declarations.txt or proplib.txt change.
    void reloadProperties();

    QAbstractItemView* popup() const;
    bool isPopupVisible() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CompletionContext contextAtCaret() const;
    void afterKey(bool typed);
    bool wantsAutomatically(const CompletionContext& context) const;
    bool offer(const CompletionContext& context);
    CompletionModel::Items itemsFor(CompletionTarget target);
    bool handlePopupKey(QKeyEvent& key);
    void insert(const QString& text);
    void hidePopup();

    QPointer<QPlainTextEdit> m_editor;
    CompletionSources m_sources;
    QCompleter* m_completer = nullptr;
    CompletionModel* m_model = nullptr;
    CompletionModel::Items m_properties;
    CompletionContext m_shown;
};

} // namespace varko::assist
