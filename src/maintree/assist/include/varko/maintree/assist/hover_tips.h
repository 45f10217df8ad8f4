#pragma once

#include "varko/language/hover_text.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QPlainTextEdit;
class QPoint;

namespace varko::maintree {

// Shows HoverText as a tooltip where the mouse rests over the editor's text. Installed on the
// editor's viewport; where there is nothing to tell, the tooltip event goes on to the editor, so
// its own tips (fault marks) still show.
class HoverTips : public QObject {
    Q_OBJECT

public:
    // faultText, when given, gives the messages of a 0-based line; they come first in the tip.
    HoverTips(QPlainTextEdit* editor, language::HoverSources sources, std::function<QString()> documentPath,
              std::function<QString(int line)> faultText = {}, QObject* parent = nullptr);

    // The tip for a point of the viewport; "" when there is nothing to tell.
    QString textAt(const QPoint& viewportPosition) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QPlainTextEdit> m_editor;
    language::HoverSources m_sources;
    std::function<QString()> m_documentPath;
    std::function<QString(int)> m_faultText;
};

} // namespace varko::maintree
