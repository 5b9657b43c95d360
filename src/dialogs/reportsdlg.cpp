#include "dialogs/reportsdlg.h"

#include "dialogs/dialogkit.h"
#include "reports/reportdata.h"
#include "store/datastore.h"
#include "store/fileio.h"
#include "store/profile.h"
#include "uiext/guidrawlayer.h"
#include "uiext/messagebox.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <utility>

namespace {

CReportsDlg::ImageFileAsker &currentAsker()
{
    static CReportsDlg::ImageFileAsker asker;
    return asker;
}

QString askImageFile(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("Save Image"), QString(),
                       QStringLiteral("PNG Images (*.png);;SVG Drawings (*.svg)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter.startsWith(QLatin1String("SVG")) ? QStringLiteral("svg")
                                                                        : QStringLiteral("png"));
    });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

QSize CReportsDlg::defaultClientSize()
{
    return defaultReportSize() + QSize(0, kButtonRowHeight);
}

CReportsDlg::CReportsDlg(CDataStore &store, const QString &accountId, const OleDateTime &from, const OleDateTime &to,
                         int report, QWidget *parent)
    : QDialog(parent)
    , m_bProfitLoss(report == ProfitAndLoss ? 1 : 0)
    , m_values(new QPushButton(this))
    , m_copy(new QAction(QStringLiteral("&Copy"), this))
    , m_saveImage(new QAction(QStringLiteral("&Save Image..."), this))
{
    setWindowTitle(QStringLiteral("Reports"));
    setBackground(this, GuiDrawLayer::GetRGBColorFace());
    setSizeGripEnabled(true);
    resize(defaultClientSize());
    setMinimumSize(420, 300);

    // The top row: the four kinds and the value labels, 75 x 20 at the positions of the row.
    const struct
    {
        const char *caption;
        const char *name;
        int x;
        int kind;
    } buttons[] = {{"Line", "line", 99, ReportChart::Line},
                   {"Scatter", "scatter", 206, ReportChart::Scatter},
                   {"2D Bar", "bar2d", 312, ReportChart::Bar2D},
                   {"3D Bar", "bar3d", 419, ReportChart::Bar3D}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(b.x, 0, 75, kButtonRowHeight);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, kind = b.kind] { setKind(kind); });
        if (b.kind == ReportChart::Line)
            button->setEnabled(m_bProfitLoss == 0);
    }
    m_values->setObjectName(QStringLiteral("values"));
    m_values->setGeometry(525, 0, 75, kButtonRowHeight);
    m_values->setAutoDefault(false);
    connect(m_values, &QPushButton::clicked, this, &CReportsDlg::toggleValues);
    m_showValues = readShowValues() != 0;
    m_values->setText(m_showValues ? QStringLiteral("Hide Values") : QStringLiteral("Show Values"));

    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_copy);
    connect(m_copy, &QAction::triggered, this, &CReportsDlg::copyChart);
    connect(m_saveImage, &QAction::triggered, this, &CReportsDlg::saveChart);

    // No account, or "All": nothing to show.
    if (accountId.isEmpty())
        return;
    QString problem;
    const std::optional<ReportData> data = gatherReportData(store, accountId, from, to, &problem);
    if (!data) {
        showMessage(parent, problem, MessageIcon::Warning);
        return;
    }
    setUpChart(m_chart, *data, store.workDir(), m_showValues);
    m_gathered = true;
}

int CReportsDlg::exec()
{
    if (!m_gathered) {
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

CReportsDlg::ImageFileAsker CReportsDlg::setImageFileAsker(ImageFileAsker asker)
{
    return std::exchange(currentAsker(), std::move(asker));
}

QRect CReportsDlg::chartArea() const
{
    return rect().adjusted(0, kButtonRowHeight, 0, 0);
}

void CReportsDlg::setKind(int kind)
{
    m_nChartKind = kind;
    update();
}

void CReportsDlg::toggleValues()
{
    m_showValues = !m_showValues;
    writeShowValues(m_showValues ? 1 : 0);
    m_values->setText(m_showValues ? QStringLiteral("Hide Values") : QStringLiteral("Show Values"));
    m_chart.setShowValues(m_showValues);
    update();
}

void CReportsDlg::paintEvent(QPaintEvent *)
{
    // A profit-and-loss report has no line: its first paint settles on the scatter.
    m_nChartKind = reportKind(m_bProfitLoss != 0, m_nChartKind);
    QPainter painter(this);
    paintReport(painter, m_chart, m_bProfitLoss != 0, m_nChartKind, chartArea());
}

QImage CReportsDlg::chartImage() const
{
    QImage image(chartArea().size(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintReport(painter, m_chart, m_bProfitLoss != 0, reportKind(m_bProfitLoss != 0, m_nChartKind), image.rect());
    return image;
}

void CReportsDlg::contextMenuEvent(QContextMenuEvent *event)
{
    if (!chartArea().contains(event->pos()))
        return;
    QMenu menu(this);
    menu.addAction(m_copy);
    menu.addAction(m_saveImage);
    menu.exec(event->globalPos());
}

void CReportsDlg::copyChart()
{
    QGuiApplication::clipboard()->setImage(chartImage());
}

void CReportsDlg::saveChart()
{
    const ImageFileAsker &asker = currentAsker();
    const QString path = asker ? asker(this) : askImageFile(this);
    if (path.isEmpty())
        return;
    try {
        saveReportImage(path, m_chart, m_bProfitLoss != 0, reportKind(m_bProfitLoss != 0, m_nChartKind),
                        chartArea().size());
    } catch (const FileError &e) {
        showMessage(this, e.message(), MessageIcon::Stop);
    }
}
