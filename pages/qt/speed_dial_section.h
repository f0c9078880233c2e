#pragma once

#include "pages/qt/section_view.h"
#include "pages/speed_dial_rules.h"

namespace volantra {

// The Mouse Speed or the Double Click Speed section: the half-circle dial showing the
// stored value between "Slow" and "Fast". A press on the dial's ring picks a value.
class SpeedDialSection : public SectionView
{
public:
    // Above the dial: these settings belong to the desktop, which keeps them.
    static constexpr const char* kPersistenceNote = "Kept by the desktop after you log out";

    explicit SpeedDialSection(SpeedDialRules::Purpose purpose) : m_purpose(purpose) {}

    SpeedDialRules::Purpose purpose() const { return m_purpose; }
    const char* contentBackground() const override { return SpeedDialRules::kBackground; }
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    bool click(QPoint point, QPoint origin, SectionContext& context) override;

private:
    SpeedDialRules::Purpose m_purpose;
};

} // namespace volantra
