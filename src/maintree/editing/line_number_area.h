#pragma once

#include <QWidget>

namespace varko::maintree {

class CodeEditor;

// The gutter beside the editor: the text line numbers and the fault marks. The editor paints it
// and gives the tool tips, since it knows where each line is drawn.
class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CodeEditor* editor);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    CodeEditor* m_editor;
};

} // namespace varko::maintree
