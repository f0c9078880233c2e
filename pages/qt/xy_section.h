#pragma once

#include "pages/qt/section_view.h"

namespace volantra {

// The content of the "X/Y Sensitivity Setting" section of the left panel: a ten-step
// slider for each axis with its captions. A press on a slider sets that axis only.
class XySection : public SectionView
{
public:
    const char* contentBackground() const override;
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    bool click(QPoint point, QPoint origin, SectionContext& context) override;
};

} // namespace volantra
