#pragma once

#include "reports/reportchart.h"
#include "store/oledatetime.h"

#include <QDialog>

#include <functional>

class CDataStore;
class QAction;
class QPushButton;

// The Reports dialog: one account's balance chart or its profit and loss over
// the main window's period, with buttons for the chart kind and the value
// labels. It may be resized; the chart follows. A context menu (and Ctrl+C)
// copies the chart as an image or saves it as PNG or SVG.
class CReportsDlg : public QDialog
{
    Q_OBJECT

public:
    enum Report { AccountBalance = 0, ProfitAndLoss = 1 };

    // accountId empty: no account chosen (or "All"), and exec() ends at once
    // as cancelled, showing nothing.
    CReportsDlg(CDataStore &store, const QString &accountId, const OleDateTime &from, const OleDateTime &to, int report,
                QWidget *parent = nullptr);

    int exec() override;

    int chartKind() const { return m_nChartKind; }
    bool showsValues() const { return m_showValues; }
    const ReportChart &chart() const { return m_chart; }
    // The chart as the dialog shows it, below the button row.
    QImage chartImage() const;
    QAction *copyAction() const { return m_copy; }
    QAction *saveImageAction() const { return m_saveImage; }

    // Asks for the file Save Image writes; tests put their own in place.
    using ImageFileAsker = std::function<QString(QWidget *parent)>;
    static ImageFileAsker setImageFileAsker(ImageFileAsker asker);

    // The button row's height and the dialog's first client size.
    static constexpr int kButtonRowHeight = 20;
    static QSize defaultClientSize();

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void setKind(int kind);
    void toggleValues();
    void copyChart();
    void saveChart();
    QRect chartArea() const;

    int m_nChartKind = ReportChart::Line;
    ReportChart m_chart;
    int m_bProfitLoss;
    bool m_gathered = false;
    bool m_showValues = true;
    QPushButton *m_values;
    QAction *m_copy;
    QAction *m_saveImage;
};
