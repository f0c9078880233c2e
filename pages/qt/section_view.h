#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <functional>

class QPainter;
class QWidget;

namespace volantra {

class SettingsRecord;
class SkinLibrary;

// What a section of the main window's panels draws with and edits.
struct SectionContext
{
    SettingsRecord& record;
    SkinLibrary& skin;
    QWidget* window = nullptr; // parent of the section's own controls (edit boxes)
    QColor textColour;
    QFont font;
    // The text of the user's language for an English entry of the language tables.
    std::function<QString(const char* english)> text;
};

// The content of one accordion section (DPI, Lighting, X/Y Sensitivity, ...): drawn below
// its header with its top-left at `origin` (the header's left and bottom), with the
// rules of what a click there changes in the record.
class SectionView
{
public:
    virtual ~SectionView() = default;

    // The skin image under the content; its height sets the panel's layout.
    virtual const char* contentBackground() const = 0;
    virtual void paint(QPainter& painter, QPoint origin, SectionContext& context) = 0;
    // A press at `point` (window coordinates); true when the record changed and the
    // section must be redrawn.
    virtual bool click(QPoint point, QPoint origin, SectionContext& context) = 0;
    // A move with the left button held after a press that went to click(); true when the
    // record changed. Sections without dragging ignore it.
    virtual bool drag(QPoint /*point*/, QPoint /*origin*/, SectionContext& /*context*/)
    {
        return false;
    }
    // The left button was released; ends a drag that click() started.
    virtual void release() {}
    // Controls that live only while the content is shown expanded.
    virtual void showControls(QPoint /*origin*/, SectionContext& /*context*/) {}
    virtual void hideControls() {}
};

} // namespace volantra
