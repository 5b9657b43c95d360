#include "dialogs/colorsettingsdlg.h"

#include "dialogs/colorswatch.h"
#include "dialogs/dialogkit.h"
#include "res/stringtable.h"
#include "store/fileio.h"
#include "uiext/colorref.h"
#include "uiext/guidrawlayer.h"
#include "uiext/messagebox.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

CColorSettingsDlg::ColourPicker &currentPicker()
{
    static CColorSettingsDlg::ColourPicker picker;
    return picker;
}

const char *const kRowTitles[CColorSettingsDlg::kRows] = {
    "Account Balance +ve", "Account Balance -ve", "Income", "Expense", "Profit", "Loss",
};

} // namespace

CColorSettingsDlg::CColorSettingsDlg(const QString &workDir, QWidget *parent) : QDialog(parent), m_workDir(workDir)
{
    setWindowTitle(QStringLiteral("Color Settings"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->addWidget(new QLabel(QStringLiteral("2D"), this), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("3D"), this), 0, 2, Qt::AlignHCenter);

    // Unreadable or short files leave the default colours in the empty places.
    ChartColours shown = defaultChartColours();
    if (!m_workDir.isEmpty()) {
        if (const auto read = readChartColourFile(m_workDir, kRows)) {
            std::copy(read->face.begin(), read->face.end(), shown.face.begin());
            std::copy(read->shade.begin(), read->shade.end(), shown.shade.begin());
        }
    }

    for (int row = 0; row < kRows; ++row) {
        auto *face = new CColorSwatch(this);
        auto *shade = new CColorSwatch(this);
        face->setObjectName(QStringLiteral("swatch%1").arg(kFirstSwatchId + 2 * row));
        shade->setObjectName(QStringLiteral("swatch%1").arg(kFirstSwatchId + 2 * row + 1));
        const QString title = QString::fromLatin1(kRowTitles[row]);
        face->setAccessibleName(title + QStringLiteral(" 2D"));
        shade->setAccessibleName(title + QStringLiteral(" 3D"));
        face->setColour(shown.face.value(row));
        shade->setColour(shown.shade.value(row));
        connect(face, &QAbstractButton::clicked, this, [this, face] { pick(face); });
        connect(shade, &QAbstractButton::clicked, this, [this, shade] { pick(shade); });
        grid->addWidget(new QLabel(title, this), row + 1, 0);
        grid->addWidget(face, row + 1, 1);
        grid->addWidget(shade, row + 1, 2);
        m_face.append(face);
        m_shade.append(shade);
    }

    const DialogButtons buttons = makeDialogButtons(this);
    connect(buttons.ok, &QPushButton::clicked, this, &CColorSettingsDlg::onOk);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CColorSwatch *CColorSettingsDlg::swatch(int controlId) const
{
    const int index = controlId - kFirstSwatchId;
    if (index < 0 || index >= 2 * kRows)
        return nullptr;
    return index % 2 == 0 ? m_face[index / 2] : m_shade[index / 2];
}

ChartColours CColorSettingsDlg::colours() const
{
    ChartColours colours;
    for (int row = 0; row < kRows; ++row) {
        colours.face.append(m_face[row]->colour());
        colours.shade.append(m_shade[row]->colour());
    }
    return colours;
}

CColorSettingsDlg::ColourPicker CColorSettingsDlg::setColourPicker(ColourPicker picker)
{
    return std::exchange(currentPicker(), std::move(picker));
}

void CColorSettingsDlg::pick(CColorSwatch *swatch)
{
    const QColor initial = fromColorRef(swatch->colour());
    const ColourPicker &picker = currentPicker();
    const QColor picked = picker ? picker(this, initial) : QColorDialog::getColor(initial, this);
    if (picked.isValid())
        swatch->setColour(toColorRef(picked));
}

void CColorSettingsDlg::onOk()
{
    try {
        writeChartColourFile(m_workDir, colours());
    } catch (const FileError &e) {
        showMessage(this, LoadText(IDS_COLOURS_NOT_SAVED).arg(e.message()), MessageIcon::Stop);
        return;
    }
    accept();
}
