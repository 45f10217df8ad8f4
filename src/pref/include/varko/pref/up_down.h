#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace varko::pref {

// Up and down arrows bound to a text field that shows their position as a decimal number. A
// whole number in range typed into the field becomes the position when the position is read;
// any other text leaves the position it had.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    void setField(QLineEdit* field);
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    int position();
    // Held within the range and shown in the field.
    void setPosition(int position);
    // From the position as read, stopping at the ends.
    void step(int delta);

    QToolButton* upArrow() const { return m_up; }
    QToolButton* downArrow() const { return m_down; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stepByKey(int key);

    QLineEdit* m_field = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};

} // namespace varko::pref
