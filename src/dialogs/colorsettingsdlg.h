#pragma once

#include "store/chartcolours.h"

#include <QDialog>
#include <QList>

#include <functional>

class CColorSwatch;

// "Color Settings": the twelve chart colours of Graph.grp in the working
// directory, 2D and 3D for six rows. OK writes the file; Cancel writes nothing.
class CColorSettingsDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kRows = 6;
    // Control ids of the swatches: 2D of row r is kFirstSwatchId + 2r, 3D the next.
    static constexpr int kFirstSwatchId = 1054;

    // Picks a colour starting from `initial`; an invalid colour when cancelled.
    using ColourPicker = std::function<QColor(QWidget *parent, const QColor &initial)>;

    explicit CColorSettingsDlg(const QString &workDir, QWidget *parent = nullptr);

    // The swatch of a control id (1054 to 1065), or null.
    CColorSwatch *swatch(int controlId) const;
    // The colours the swatches show.
    ChartColours colours() const;

    // Replaces the colour dialog; an empty picker brings QColorDialog back.
    // Returns the picker that was in place.
    static ColourPicker setColourPicker(ColourPicker picker);

private:
    void pick(CColorSwatch *swatch);
    void onOk();

    QString m_workDir;
    QList<CColorSwatch *> m_face;
    QList<CColorSwatch *> m_shade;
};
