#pragma once

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

namespace volantra::test {

// A paint device that draws nothing and keeps every text a painter puts on it: what was
// drawn, in which font, where its ink lies and the clip it was drawn into (a text drawn
// into a rectangle is clipped to it). A caption that does not fit its place is one whose
// ink reaches past that clip, which is what the user sees cut off.
class CaptionRecorder : public QPaintDevice
{
public:
    struct Caption
    {
        QString text;
        QFont font;
        QRectF ink;
        QRectF clip;

        bool fits() const { return clip.adjusted(-0.5, -0.5, 0.5, 0.5).contains(ink); }
        QString describe() const
        {
            return QStringLiteral("\"%1\" (%2 %3 px): ink %4,%5 to %6,%7 in %8,%9 to %10,%11")
                .arg(text, font.family())
                .arg(font.pixelSize())
                .arg(ink.left())
                .arg(ink.top())
                .arg(ink.right())
                .arg(ink.bottom())
                .arg(clip.left())
                .arg(clip.top())
                .arg(clip.right())
                .arg(clip.bottom());
        }
    };

    explicit CaptionRecorder(QSize size) : m_size(size), m_engine(std::make_unique<Engine>(*this))
    {
    }
    ~CaptionRecorder() override = default;

    QPaintEngine* paintEngine() const override { return m_engine.get(); }
    const QList<Caption>& captions() const { return m_captions; }
    // What does not fit, one line each.
    QStringList clipped() const
    {
        QStringList lines;
        for (const Caption& caption : m_captions) {
            if (!caption.fits())
                lines << caption.describe();
        }
        return lines;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(CaptionRecorder& device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override
        {
        }
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            QPainter* drawing = painter();
            const QString text = item.text();
            if (text.trimmed().isEmpty())
                return;
            const QTransform toDevice = drawing->combinedTransform();
            const QRectF ink =
                toDevice.mapRect(QFontMetricsF(item.font()).tightBoundingRect(text).translated(at));
            const QRectF clip = drawing->hasClipping()
                                    ? toDevice.mapRect(drawing->clipBoundingRect())
                                    : QRectF(QPointF(0, 0), QSizeF(m_device.m_size));
            m_device.m_captions.push_back({text, item.font(), ink, clip});
        }
        Type type() const override { return User; }

    private:
        CaptionRecorder& m_device;
    };

    QSize m_size;
    std::unique_ptr<Engine> m_engine;
    QList<Caption> m_captions;
};

} // namespace volantra::test
