#pragma once

#include <QWidget>

namespace varko::maintree {

// A caption written upwards, on a transparent background.
class RotatedLabel : public QWidget {
    Q_OBJECT

public:
    RotatedLabel(const QString& caption, QWidget* parent = nullptr);
    QString caption() const { return m_caption; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString m_caption;
};

} // namespace varko::maintree
