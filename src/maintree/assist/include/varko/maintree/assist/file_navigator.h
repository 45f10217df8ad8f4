#pragma once

#include "varko/language/file_target.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace varko::maintree {

struct NavigatorSources {
    language::TypeOfProperty typeOf;
    language::FileSources files;
    std::function<QString()> documentPath;
};

// Go to File, Back and Ctrl+click for one editor. Going to a file remembers where the caret was,
// so Back returns there.
class FileNavigator : public QObject {
    Q_OBJECT

public:
    struct Location {
        QString file;
        int line = 1; // 1-based
        bool operator==(const Location&) const = default;
    };

    FileNavigator(QPlainTextEdit* editor, NavigatorSources sources, QObject* parent = nullptr);

    // The file named at the caret; false (and a status text) when there is none to open.
    bool goToFile();
    // The same for a 0-based line and column of the editor.
    bool goToFileAt(int lineIndex, int column);
    // The location before the latest jump that has not been gone back from.
    std::optional<Location> back();
    bool canGoBack() const { return !m_backStack.empty(); }
    QString statusText() const { return m_status; }

signals:
    void openRequested(const QString& path);
    void statusMessage(const QString& text);
    void canGoBackChanged(bool canGoBack);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool go(const std::string& lineText, std::optional<std::size_t> column, int lineIndex);
    void setStatus(const QString& text);

    QPointer<QPlainTextEdit> m_editor;
    NavigatorSources m_sources;
    std::vector<Location> m_backStack;
    QString m_status;
};

} // namespace varko::maintree
