#pragma once

#include <QColor>
#include <QRect>

class QEvent;
class QPainter;
class QSize;
class QWidget;

// Paints the flat frame of the date pickers and combo boxes: rings around the
// field and a drop button at the right, in one of three states.
class FlatFramePainter
{
public:
    enum State { Normal = 0, Hot = 1, Pressed = 2 };
    static constexpr int kRings = 4;
    static constexpr int kGlyphWidth = 9;

    // The drop button inside the rings of `rect`, starting at x = buttonLeft
    // (the style's arrow area, so that clicks on it open the popup).
    static QRect buttonRect(const QRect &rect, int buttonLeft);
    // The drop button of a widget, over the arrow area its style hit-tests.
    static QRect buttonRect(const QWidget *widget);
    // The least height that leaves a line of the widget's text inside the rings.
    static int minimumHeight(const QWidget *widget);
    // A size hint grown to that height.
    static QSize fitHeight(const QSize &hint, const QWidget *widget);
    // Sets the text field of `owner` inside its rings, left of its button.
    static void placeEditor(QWidget *editor, const QWidget *owner);
    // Whether the event moves the owner's own placing of its text field.
    static bool movesEditor(const QEvent *event);
    // Where the text field goes: inside the rings, left of the button.
    static QRect editorRect(const QRect &rect, const QRect &button);

    // Paints the frame and the drop button; the field inside keeps its colour
    // `base`. The face colour is read from GuiDrawLayer at each call.
    static void draw(QPainter &p, const QRect &rect, const QRect &button, int state, bool enabled, const QColor &base);
    // The down arrow (9 pixels wide), centred in the button.
    static void drawGlyph(QPainter &p, const QRect &button, const QColor &colour);
};
