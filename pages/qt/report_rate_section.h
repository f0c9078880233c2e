#pragma once

#include "pages/qt/section_view.h"

namespace volantra {

// The content of the "USB Report Rate" section: its background and the round control
// showing the stored rate. A press on the control's ring picks the quadrant's rate.
class ReportRateSection : public SectionView
{
public:
    const char* contentBackground() const override;
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    bool click(QPoint point, QPoint origin, SectionContext& context) override;
};

} // namespace volantra
