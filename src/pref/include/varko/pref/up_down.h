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

    void SetAssociate(QLineEdit* field);
    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }

    int Position();
    // Held within the range and shown in the field.
    void SetPosition(int position);
    // From the position as read, stopping at the ends.
    void Step(int delta);

    QToolButton* UpArrow() const { return m_up; }
    QToolButton* DownArrow() const { return m_down; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool StepByKey(int key);

    QLineEdit* m_associate = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};

} // namespace varko::pref
