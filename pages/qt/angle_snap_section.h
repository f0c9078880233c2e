#pragma once

#include "pages/qt/section_view.h"

namespace volantra {

// The content of the "Angle Snap" section: the picture of the stored level, the step
// slider and its captions "1" to "10". A press on the slider picks the step's level.
class AngleSnapSection : public SectionView
{
public:
    const char* contentBackground() const override;
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    bool click(QPoint point, QPoint origin, SectionContext& context) override;
};

} // namespace volantra
