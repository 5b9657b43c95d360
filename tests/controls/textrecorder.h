#pragma once

#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <QTextItem>
#include <QTransform>
#include <QWidget>

// A text as painted: the text and the point where its baseline starts.
struct PaintedText
{
    QString text;
    QPointF at;
};

// A paint device that keeps every text painted on it, so a test can read what
// a widget shows rather than its data.
class TextRecorder : public QPaintDevice
{
public:
    explicit TextRecorder(const QSize &size) : m_size(size), m_engine(this) {}
    ~TextRecorder() override
    {
        // QPaintDevice's destructor reports a painter still active on us.
        if (m_engine.isActive())
            m_engine.end();
    }

    QPaintEngine *paintEngine() const override { return const_cast<Engine *>(&m_engine); }

    QList<PaintedText> texts;

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder *owner) : QPaintEngine(AllFeatures), m_owner(owner) {}

        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            m_owner->texts.append({item.text(), m_transform.map(p)});
        }
        Type type() const override { return User; }

    private:
        TextRecorder *m_owner;
        QTransform m_transform;
    };

    QSize m_size;
    Engine m_engine;
};

// What `widget` and its children paint, in the widget's coordinates.
inline QList<PaintedText> paintedTexts(QWidget &widget)
{
    TextRecorder recorder(widget.size());
    QPainter painter(&recorder);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return recorder.texts;
}

// The texts whose start lies inside `area`.
inline QStringList textsIn(const QList<PaintedText> &texts, const QRect &area)
{
    QStringList found;
    for (const PaintedText &t : texts) {
        if (area.contains(t.at.toPoint()))
            found << t.text;
    }
    return found;
}
