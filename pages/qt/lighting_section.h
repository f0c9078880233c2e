#pragma once

#include "pages/lighting_rules.h"
#include "pages/qt/section_view.h"

namespace volantra {

// The Lighting section of the right panel: a radio mark per lighting mode and a step
// slider per mode's level. It has no controls of its own.
class LightingSection : public SectionView
{
public:
    const char* contentBackground() const override { return LightingRules::kBackground; }
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    bool click(QPoint point, QPoint origin, SectionContext& context) override;

    // The step captions' font: the window's small caption font, whatever the language.
    static QFont stepCaptionFont();
};

} // namespace volantra
