#pragma once

#include <QObject>
#include <QTimer>

namespace volantra {

// The wait cursor over the whole program for a while after a Save or Reset: set once and
// restored once, however the clicks fall.
class BusyCursor : public QObject
{
    Q_OBJECT

public:
    static constexpr int kShownMs = 6000;

    explicit BusyCursor(QObject* parent = nullptr);
    ~BusyCursor() override;

    void show(); // for kShownMs from now
    bool shown() const { return m_shown; }

private:
    void restore();

    QTimer m_timer;
    bool m_shown = false;
};

} // namespace volantra
